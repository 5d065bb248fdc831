#include "dump_table.h"

#include <algorithm>

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"

namespace {

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            quoted += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20)
            quoted += platform::FormatC("\\u%04x", c);
        else
            quoted += static_cast<char>(c);
    }
    return quoted + "\"";
}

}  // namespace

const std::vector<std::string> CDumpTable::kDefaultValues = {"UTC", "Nav. Mode", "Lat",         "Lon", "Alt (MSL)",
                                                             "SoG", "SVs Used",  "SVs Tracked", "PDOP"};

bool CDumpTable::ResolveColumns(const CStorageDatabase& database, const std::vector<std::string>& names,
                                std::vector<CValueColumn>& columns, std::string& unknownName) {
    for (const std::string& name : names) {
        const std::u16string wide = platform::Utf8ToWide(name);
        const auto& entries = database.Entries();
        auto found = std::find_if(entries.begin(), entries.end(), [&](auto& e) { return e.second->GetName() == wide; });
        if (found == entries.end()) {
            unknownName = name;
            return false;
        }
        columns.emplace_back(*found->second);
    }
    return true;
}

std::vector<std::string> CDumpTable::ValueNames(const CStorageDatabase& database) {
    std::vector<std::string> names;
    for (const auto& [id, entry] : database.Entries()) names.push_back(platform::WideToUtf8(entry->GetName()));
    return names;
}

CDumpTable::CDumpTable(CVeltroDoc& document, std::vector<CValueColumn> columns, DumpFormat format, std::FILE* out)
    : CEpochObserver(document), columns(std::move(columns)), format(format), out(out) {
    if (format == DumpFormat::Json) {
        std::fputs("[", out);
        return;
    }
    std::string header;
    for (const CValueColumn& column : this->columns) header += (header.empty() ? "" : ",") + CsvField(column.Name());
    std::fputs((header + "\n").c_str(), out);
}

void CDumpTable::Finish() {
    if (format == DumpFormat::Json) std::fputs(firstRow ? "]\n" : "\n]\n", out);
    std::fflush(out);
}

void CDumpTable::WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) {
    const std::string row = format == DumpFormat::Json ? JsonRow(history, snapshot) : CsvRow(history, snapshot);
    std::fputs(row.c_str(), out);
    firstRow = false;
}

std::string CDumpTable::CsvRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    std::string row;
    for (size_t i = 0; i < columns.size(); ++i) row += (i ? "," : "") + CsvField(columns[i].Text(history, snapshot));
    return row + "\n";
}

std::string CDumpTable::JsonRow(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    std::string row = firstRow ? "\n{" : ",\n{";
    for (size_t i = 0; i < columns.size(); ++i) {
        const std::string text = columns[i].Text(history, snapshot);
        const std::string value = text.empty() ? "null" : columns[i].IsNumber() ? text : JsonString(text);
        row += (i ? ", " : "") + JsonString(columns[i].Name()) + ": " + value;
    }
    return row + "}";
}
