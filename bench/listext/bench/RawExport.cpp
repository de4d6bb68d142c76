#include "RawExport.h"

#include <charconv>
#include <sqlite3.h>
#include <stdexcept>

namespace tarvo::bench {

namespace {

constexpr size_t MaxCell = 4096; // characters, as the export cuts them

// yyyy/mm/dd of a day number (day 4 is 1801-01-01), as the picture "@D10" writes it.
std::string dateText(std::int64_t day)
{
    if (day <= 0)
        return {};
    // Days from 1970-01-01: the day numbers start 61 730 days before it.
    std::int64_t z = day - 61730 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    std::int64_t y = yoe + era * 400;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2)
        ++y;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d", int(y), int(m), int(d));
    return buffer;
}

size_t utf8Cut(const std::string &s, size_t characters)
{
    size_t count = 0;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && count++ == characters)
            return i;
    return s.size();
}

void appendHtml(std::string &out, const std::string &text)
{
    if (text.empty()) {
        out += "&nbsp;";
        return;
    }
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

void appendField(std::string &out, const std::string &text)
{
    if (text.find_first_of(";\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

struct File {
    explicit File(const std::string &path) : f(std::fopen(path.c_str(), "wb"))
    {
        if (!f)
            throw std::runtime_error("cannot create " + path);
    }
    ~File() { std::fclose(f); }
    void write(const std::string &s)
    {
        if (std::fwrite(s.data(), 1, s.size(), f) != s.size())
            throw std::runtime_error("write failed");
    }
    std::FILE *f;
};

} // namespace

RawExport::RawExport(sqlite3 *db, std::string table, std::vector<Column> columns, std::string orderBy)
    : m_db(db), m_table(std::move(table)), m_columns(std::move(columns)), m_orderBy(std::move(orderBy))
{
}

template <typename Row> std::int64_t RawExport::eachRow(const std::string &select, Row row) const
{
    const std::string sql = "SELECT " + select + " FROM \"" + m_table + "\" ORDER BY " + m_orderBy;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    std::int64_t rows = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        row(stmt);
        ++rows;
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw std::runtime_error(sql + ": " + sqlite3_errmsg(m_db));
    return rows;
}

std::string RawExport::cellText(void *statement, int column) const
{
    auto *stmt = static_cast<sqlite3_stmt *>(statement);
    switch (m_columns[size_t(column)].kind) {
    case Kind::Number: {
        char buffer[24];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, sqlite3_column_int64(stmt, column)).ptr;
        return std::string(buffer, end);
    }
    case Kind::Date:
        return dateText(sqlite3_column_int64(stmt, column));
    case Kind::Text:
        break;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
    std::string s = text ? std::string(text, size_t(sqlite3_column_bytes(stmt, column))) : std::string();
    while (!s.empty() && (s.back() == ' ' || (s.back() >= '\t' && s.back() <= '\r')))
        s.pop_back();
    s.resize(utf8Cut(s, MaxCell));
    return s;
}

std::int64_t RawExport::writeHtml(const std::string &path, const std::string &caption) const
{
    File out(path);
    std::string line = "<HTML>\r\n<HEAD><META CHARSET=\"UTF-8\"><TITLE>";
    appendHtml(line, caption);
    line += "</TITLE></HEAD>\r\n<H1>";
    appendHtml(line, caption);
    line += "</H1><P>\r\n<TABLE BORDER=2>\r\n<TR> ";
    std::string select;
    for (const Column &c : m_columns) {
        line += "<TD><STRONG>";
        appendHtml(line, c.header);
        line += "</STRONG></TD> ";
        select += (select.empty() ? "\"" : ", \"") + c.name + '"';
    }
    line += "</TR>\r\n";
    out.write(line);
    const int n = int(m_columns.size());
    const std::int64_t rows = eachRow(select, [&](sqlite3_stmt *stmt) {
        line.assign("<TR> ");
        for (int i = 0; i < n; ++i) {
            line += "<TD>";
            appendHtml(line, cellText(stmt, i));
            line += "</TD> ";
        }
        line += "</TR>\r\n";
        out.write(line);
    });
    out.write("</TABLE>\r\n</HTML>\r\n");
    return rows;
}

std::int64_t RawExport::writeText(const std::string &path) const
{
    File out(path);
    std::string line;
    std::string select;
    for (const Column &c : m_columns) {
        if (!select.empty())
            line += ';';
        appendField(line, c.header);
        select += (select.empty() ? "\"" : ", \"") + c.name + '"';
    }
    line += "\r\n";
    out.write(line);
    const int n = int(m_columns.size());
    return eachRow(select, [&](sqlite3_stmt *stmt) {
        line.clear();
        for (int i = 0; i < n; ++i) {
            if (i)
                line += ';';
            appendField(line, cellText(stmt, i));
        }
        line += "\r\n";
        out.write(line);
    });
}

std::map<std::string, std::int64_t> RawExport::count() const
{
    std::map<std::string, std::int64_t> counts;
    eachRow('"' + m_columns.front().name + '"', [&](sqlite3_stmt *stmt) { ++counts[cellText(stmt, 0)]; });
    return counts;
}

std::int64_t RawExport::readWholeRows(const std::string &selectList) const
{
    std::int64_t bytes = 0;
    eachRow(selectList, [&](sqlite3_stmt *stmt) {
        for (int i = 0, n = sqlite3_column_count(stmt); i < n; ++i)
            if (sqlite3_column_type(stmt, i) == SQLITE_TEXT)
                bytes += sqlite3_column_text(stmt, i) ? sqlite3_column_bytes(stmt, i) : 0;
            else
                bytes += sqlite3_column_int64(stmt, i) != 0;
    });
    return bytes;
}

} // namespace tarvo::bench
