-- inventory.sql - schema and a report query.
/*
 * Tables for the inventory.
 * A 'quoted' word and -- dashes are comment text here.

 */
CREATE TABLE item (
    id      INTEGER PRIMARY KEY,   -- surrogate key
    name    VARCHAR(80) NOT NULL,
    "note--text" VARCHAR(200),     /* a quoted identifier holding dashes */
    price   DECIMAL(9, 2)
);

INSERT INTO item (id, name, "note--text", price)
VALUES (1, 'bolt -- not a comment', 'it''s /* not a comment */', 0.10),
       (2, 'nut', 'first line
-- second line of the same string

last line', 0.05);

/* one-line bracketed comment */ INSERT INTO item (id, name, price) VALUES (3, 'washer', 0.02);

-- Report: items under a price.
SELECT name,
       price * 100 AS cents   -- price in cents
  FROM item
  WHERE price < 1.00
    AND name <> '/*'
  ORDER BY name;

/* A comment that
   ends mid-line */ SELECT COUNT(*) FROM item;
