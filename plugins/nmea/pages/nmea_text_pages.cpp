#include "plugins/nmea/pages/nmea_text_pages.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/text.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "plugins/nmea/pages/nmea_page_text.h"
#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "shared/dialog_page.h"
#include "shared/nmea_fields.h"
#include "shared/value_format.h"

namespace {

using nmea_page::kAppendChecksum;
using nmea_page::kSentence;

constexpr int kTextTypeField = 3;
constexpr int kTextField = 4;
constexpr const char16_t* kTextTypes[] = {u"ERROR", u"WARNING", u"NOTICE", u"TEST",
                                          u"DEBUG", u"RES5",    u"RES6",   u"USER"};

const char16_t* TextTypeName(int type) {
    return type >= 0 && type < static_cast<int>(std::size(kTextTypes)) ? kTextTypes[type] : u"<unknown>";
}

// What a sentence may carry: printable ASCII, the blank included.
bool IsSentenceCharacter(char16_t c) { return c >= u' ' && c <= u'~'; }

}  // namespace

void ShowTxtPage(CDialogPage& page, const uint8_t* bytes, int length) {
    const std::optional<int> type = NmeaFields(bytes, length).Integer(kTextTypeField);
    if (!type) {
        page.SetControlText(nmea_page::kTextIdentifier, u"<none>");
        page.SetControlText(nmea_page::kText, u"");
        return;
    }
    page.SetControlText(nmea_page::kTextIdentifier, TextTypeName(*type));
    page.SetControlText(nmea_page::kText, ShownText(TextAfterComma(SentenceBody(bytes, length).text, kTextField)));
}

void ShowSentencePage(CDialogPage& page, const uint8_t* bytes, int length) {
    page.SetControlText(kSentence, ShownText(SentenceBody(bytes, length).text));
}

void ResizeSentencePage(CDialogPage& page, int width, int height) {
    SizeDlgItemToBottom(page, kSentence, width, height);
}

void InitCustomPage(CDialogPage& page) {
    page.SetTextLimit(kSentence, nmea_page::kCustomSentenceLimit);
    page.SetChecked(kAppendChecksum, true);
}

void ShowCustomPage(CDialogPage& page, const uint8_t* bytes, int length) {
    const NmeaSentenceBody body = SentenceBody(bytes, length);
    page.SetControlText(kSentence, ShownText(body.text));
    // Nothing shown: the box stays as the page was prepared.
    if (length > 0) page.SetChecked(kAppendChecksum, body.hasChecksum);
}

bool IsCustomPageValid(const CDialogPage& page, int controlId) {
    if (controlId != kSentence) return true;
    const std::u16string text = page.GetControlText(kSentence);
    return std::all_of(text.begin(), text.end(), IsSentenceCharacter);
}

bool BuildCustomSentence(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) {
    outLength = 0;
    std::string sentence = "$" + platform::WideToAnsi(page.GetControlText(kSentence));
    if (page.IsChecked(kAppendChecksum)) {
        const auto* body = reinterpret_cast<const uint8_t*>(sentence.data()) + 1;
        sentence += platform::FormatC("*%02X", NmeaChecksum(body, static_cast<int>(sentence.size()) - 1));
    }
    sentence += "\r\n";
    if (!buffer || capacity < 0 || sentence.size() > static_cast<size_t>(capacity)) return false;
    std::copy(sentence.begin(), sentence.end(), buffer);
    outLength = static_cast<int>(sentence.size());
    return true;
}
