--  Counts the words of a text, and shows Ada's literals.
with Ada.Text_IO; use Ada.Text_IO;

procedure Report is
   Text  : constant String := "a -- b ""quoted"" c";  -- "" stands for a quote
   Quote : constant Character := '"';                 -- a character literal
   Tick  : constant Character := ''';                 -- the apostrophe literal
   Count : Natural := 0;
begin
   for I in Text'First .. Text'Last loop  -- attributes, not literals
      if Text (I) = ' ' then
         Count := Count + 1;
      end if;
   end loop;
   Put_Line (Natural'Image (Count) & Quote & Tick);
      -- an indented comment
end Report;
