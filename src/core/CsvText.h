#pragma once
// CSV text as spreadsheets write it: RFC 4180 records (a quoted field may hold
// separators, doubled quotes and line breaks), a UTF-8 byte order mark skipped,
// UTF-16 text (with its byte order mark, or without one when the zero bytes of
// its ASCII header show it) read as well, the separator (comma,
// semicolon or tab) taken from the header line or from a first line "sep=;",
// every field trimmed of surrounding blanks. Plain text in, records out: opening
// files and limiting their size is the caller's business.
#include <stdexcept>
#include <string>
#include <vector>

namespace cps {

// A CSV text that cannot be read as records at all (e.g. an unterminated quote).
struct CsvError : std::runtime_error {
    int line;
    CsvError(int lineNumber, const std::string &why); // "CSV line N: why"
};

struct CsvRecord {
    int line; // line number of the record's first line, 1-based (blank lines count)
    std::vector<std::string> fields; // trimmed
};

struct CsvTable {
    char separator = ',';
    std::vector<CsvRecord> records; // blank lines left out; records[0] is the header
};

// The separator a first line "sep=X" names, else the one that occurs most often
// outside quotes on the first non-blank line: ',' ';' or '\t' (',' when none occurs).
char detectCsvSeparator(const std::string &text);

// Throws CsvError for an unterminated quoted field.
CsvTable parseCsvText(const std::string &text);

// Surrounding spaces, tabs and no-break spaces removed.
std::string trimField(const std::string &s);
// ASCII letters in lower case (other bytes unchanged).
std::string asciiLower(std::string s);
// A number typed with a decimal comma ("151,625") in the usual form ("151.625");
// only when the separator is not itself a comma and the text has exactly one
// comma and no point. Anything else comes back unchanged.
std::string decimalPointText(const std::string &text, char separator);

// One field for writing, quoted when it holds the separator, a quote, a line
// break or edge spaces.
std::string csvField(const std::string &s, char separator = ',');

} // namespace cps
