#include "plugins/kvb/pages/pkvb_sentence_page.h"

#include <string_view>

#include "platform/text.h"

namespace {

constexpr KvbColumn kColumns[] = {{u"Field", 40}, {u"Value", 160}};

// Field 0 is the address; the fields end at the checksum or the line's end.
std::vector<KvbRowCells> FieldRows(std::string_view sentence) {
    sentence = sentence.substr(0, sentence.find_first_of("*\r\n"));
    std::vector<KvbRowCells> rows;
    for (size_t start = 0;; ++start) {
        const size_t comma = std::min(sentence.find(',', start), sentence.size());
        rows.push_back({{KvbCell(u"%zu", rows.size()),
                         platform::AnsiToWide(sentence.substr(start, comma - start)).substr(0, kKvbCellCapacity)}});
        if (comma == sentence.size()) return rows;
        start = comma;
    }
}

}  // namespace

CPkvbSentencePage::CPkvbSentencePage() : CKvbListPage(kColumns) {}

void CPkvbSentencePage::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    const bool any = frame && length > 0;
    const std::string_view sentence(reinterpret_cast<const char*>(frame), any ? static_cast<size_t>(length) : 0);
    ShowRows(page, {}, any ? FieldRows(sentence) : std::vector<KvbRowCells>());
}

const CPkvbSentencePage kPkvbSentencePage;
