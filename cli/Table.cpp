#include "cli/Table.h"

#include "cli/Joined.h"
#include "cli/JsonWriter.h"
#include "lib/Format.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace VarnikCli
{
namespace
{

// `percentSign`: "12.50%" for people, "12.50" for programs.
std::string CellText(const Table::Cell& cell, bool percentSign = true)
{
    if (const auto* text = std::get_if<std::string>(&cell))
        return *text;
    if (const auto* count = std::get_if<uint64_t>(&cell))
        return std::to_string(*count);
    return TrovLib::Format(percentSign ? "%.2f%%" : "%.2f", std::get<Table::Percent>(cell).mValue);
}

std::vector<std::string> RowTexts(const Table::Row& row, bool percentSign = true)
{
    std::vector<std::string> texts;
    for (const Table::Cell& cell : row)
        texts.push_back(CellText(cell, percentSign));
    return texts;
}

bool IsText(const Table::Cell& cell)
{
    return std::holds_alternative<std::string>(cell);
}

double CellNumber(const Table::Cell& cell)
{
    if (const auto* count = std::get_if<uint64_t>(&cell))
        return static_cast<double>(*count);
    return std::get<Table::Percent>(cell).mValue;
}

// A field of CSV (RFC 4180: quoted when it holds a comma, a quote or a line break),
// TSV (tabs, line breaks and backslashes escaped) or Markdown ("|" escaped).
std::string Field(std::string text, Table::Format format)
{
    std::string field;
    const bool quote =
        format == Table::Format::Csv && text.find_first_of(",\"\r\n") != std::string::npos;
    for (const char c : text)
    {
        if (format == Table::Format::Csv && c == '"')
            field += "\"\"";
        else if (format == Table::Format::Tsv && (c == '\t' || c == '\n' || c == '\r' || c == '\\'))
            field += c == '\t' ? "\\t" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\\\";
        else if (format == Table::Format::Markdown && (c == '|' || c == '\n'))
            field += c == '|' ? "\\|" : " ";
        else
            field += c;
    }
    return quote ? '"' + field + '"' : field;
}

} // namespace

const std::vector<std::string> Table::FORMAT_NAMES = {"text", "csv", "tsv", "md", "json"};

Table::Format Table::FormatNamed(const std::string& name)
{
    const auto found = std::find(FORMAT_NAMES.begin(), FORMAT_NAMES.end(), name);
    return static_cast<Format>(found - FORMAT_NAMES.begin());
}

void Table::Sort(const std::string& column)
{
    const auto found = std::find(mColumns.begin(), mColumns.end(), column);
    if (found == mColumns.end())
    {
        throw std::runtime_error(TrovLib::Format("--sort: unknown column \"%s\" (columns: %s)",
                                                 column.c_str(), Joined(mColumns, ", ").c_str()));
    }
    const size_t index = found - mColumns.begin();
    std::stable_sort(mRows.begin(), mRows.end(),
                     [index](const Row& a, const Row& b)
                     {
                         if (IsText(a[index]))
                             return std::get<std::string>(a[index]) <
                                    std::get<std::string>(b[index]);
                         return CellNumber(a[index]) > CellNumber(b[index]);
                     });
}

void Table::Keep(size_t count)
{
    if (mRows.size() > count)
        mRows.resize(count);
}

void Table::Write(Output& out, Format format) const
{
    if (format == Format::Text)
        WriteText(out);
    else if (format == Format::Json)
        WriteJson(out);
    else
        WriteSeparated(out, format);
}

// Texts to the left, numbers to the right, two blanks between columns.
void Table::WriteText(Output& out) const
{
    std::vector<size_t> widths;
    for (const std::string& column : mColumns)
        widths.push_back(column.size());
    for (const Row& row : mRows)
        for (size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], CellText(row[i]).size());
    for (size_t i = 0; i < mTotal.size(); ++i)
        widths[i] = std::max(widths[i], CellText(mTotal[i]).size());
    const auto writeLine = [&](const std::vector<std::string>& cells, const Row* kinds)
    {
        for (size_t i = 0; i < cells.size(); ++i)
        {
            const bool left = kinds ? IsText((*kinds)[i]) : i == 0 || i + 1 == cells.size();
            const std::string pad(widths[i] - cells[i].size(), ' ');
            out << (i == 0 ? "" : "  ") << (left ? "" : pad);
            out.Text(cells[i]) << (left && i + 1 < cells.size() ? pad : "");
        }
        out << '\n';
    };
    writeLine(mColumns, mRows.empty() ? nullptr : &mRows.front());
    for (const Row& row : mRows)
        writeLine(RowTexts(row), &row);
    if (!mTotal.empty())
        writeLine(RowTexts(mTotal), &mTotal);
}

void Table::WriteSeparated(Output& out, Format format) const
{
    const char* separator = format == Format::Csv ? "," : format == Format::Tsv ? "\t" : " | ";
    const auto writeLine = [&](const std::vector<std::string>& cells)
    {
        out << (format == Format::Markdown ? "| " : "");
        for (size_t i = 0; i < cells.size(); ++i)
            out.Text(Field(cells[i], format)) << (i + 1 < cells.size() ? separator : "");
        out << (format == Format::Markdown ? " |\n" : "\n");
    };
    writeLine(mColumns);
    if (format == Format::Markdown)
    {
        std::vector<std::string> rule;
        for (size_t i = 0; i < mColumns.size(); ++i)
            rule.push_back(!mRows.empty() && !IsText(mRows.front()[i]) ? "--:" : "---");
        writeLine(rule);
    }
    const bool forPeople = format == Format::Markdown;
    for (const Row& row : mRows)
        writeLine(RowTexts(row, forPeople));
    if (forPeople && !mTotal.empty())
        writeLine(RowTexts(mTotal));
}

void Table::WriteJson(Output& out) const
{
    JsonWriter json(out.Stream());
    json.StartArray();
    for (const Row& row : mRows)
    {
        json.StartObject();
        for (size_t i = 0; i < row.size(); ++i)
        {
            json.Key(mColumns[i].c_str());
            if (const auto* text = std::get_if<std::string>(&row[i]))
                json.String(*text);
            else if (const auto* count = std::get_if<uint64_t>(&row[i]))
                json.Uint64(*count);
            else
                json.Double(std::round(std::get<Percent>(row[i]).mValue * 100) / 100);
        }
        json.EndObject();
    }
    json.EndArray();
    json.Finish();
}

} // namespace VarnikCli
