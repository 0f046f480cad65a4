#pragma once

#include "cli/Output.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace VarnikCli
{

// Rows under named columns, and the forms in which they print: aligned text, CSV, TSV,
// Markdown and JSON (an array of objects). Cells hold a text, a count or a percentage,
// which only the forms for people mark with "%". A total row, when set, closes the forms
// for people; programs that read CSV, TSV or JSON sum the rows themselves.
// Not shared between threads.
class Table
{
public:
    enum class Format
    {
        Text,
        Csv,
        Tsv,
        Markdown,
        Json,
    };
    // The names that --format takes, in the order of Format.
    static const std::vector<std::string> FORMAT_NAMES;
    static Format FormatNamed(const std::string& name);

    struct Percent
    {
        double mValue;
    };
    using Cell = std::variant<std::string, uint64_t, Percent>;
    using Row = std::vector<Cell>;

    explicit Table(std::vector<std::string> columns) : mColumns(std::move(columns)) {}

    const std::vector<std::string>& Columns() const { return mColumns; }
    void Add(Row row) { mRows.push_back(std::move(row)); }
    // The row printed last in text and Markdown, after sorting and --top.
    void SetTotal(Row total) { mTotal = std::move(total); }
    // Orders the rows by the column named `column`: texts in ascending byte order, numbers
    // from the largest down; ties keep their order. Throws std::runtime_error, naming the
    // columns, for an unknown name.
    void Sort(const std::string& column);
    // Keeps the first `count` rows.
    void Keep(size_t count);

    void Write(Output& out, Format format) const;

private:
    void WriteText(Output& out) const;
    void WriteSeparated(Output& out, Format format) const;
    void WriteJson(Output& out) const;

    std::vector<std::string> mColumns;
    std::vector<Row> mRows;
    Row mTotal; // empty when the table has none
};

} // namespace VarnikCli
