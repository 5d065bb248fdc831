#include "plugins/kvb/proprietary/pkvb_sentence_node.h"

#include <cstring>
#include <string>

#include "platform/text.h"
#include "plugins/kvb/framing/kvb_frame.h"

namespace {

// CFG-MSG addresses the proprietary sentences as outputs of this class.
constexpr uint8_t kProprietaryNmeaClass = 0xF1;
// Where the timed sentences tell the UTC time of their fix (hhmmss.ss).
constexpr int kTimeField = 2;

char UpperCase(uint8_t c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c); }

char TensDigit(uint8_t number) { return static_cast<char>('0' + number / 10 % 10); }
char UnitsDigit(uint8_t number) { return static_cast<char>('0' + number % 10); }

// The exclusive OR of every character between "$" and "*".
uint8_t SentenceChecksum(const std::string& body) {
    uint8_t sum = 0;
    for (char c : body) sum ^= static_cast<uint8_t>(c);
    return sum;
}

}  // namespace

// ---- CPkvbClassNode

bool CPkvbClassNode::Accept(const uint8_t* bytes, int length) {
    constexpr int kAddressEnd = 6;
    if (!bytes || length < kAddressEnd) return false;
    return UpperCase(bytes[1]) == 'P' && UpperCase(bytes[2]) == 'K' && UpperCase(bytes[3]) == 'V' &&
           UpperCase(bytes[4]) == 'B';
}

// ---- CPkvbSentenceNode

// "$PKVB,nn," at least: the number stands in bytes 6 and 7.
bool CPkvbSentenceNode::Accept(const uint8_t* bytes, int length) {
    constexpr int kShortestSentence = 9;
    if (!bytes || length < kShortestSentence) return false;
    return bytes[5] == ',' && UpperCase(bytes[6]) == TensDigit(number) && UpperCase(bytes[7]) == UnitsDigit(number);
}

void CPkvbSentenceNode::Reset() {
    epochStamp = (boundDatabase ? boundDatabase->GetEpochCounter() : 0) - 1;
    CKvbNode::Reset();
    storedFields.Forget();
}

void CPkvbSentenceNode::BindDatabase(CStorageDatabase* database) {
    boundDatabase = database;
    BindEntries(database);
}

bool CPkvbSentenceNode::SameEpoch(CStorageDatabase* database) {
    return !database || epochStamp != database->GetEpochCounter();
}

bool CPkvbSentenceNode::Decode(CStorageDatabase* database) {
    if (!database) return false;
    epochStamp = database->GetEpochCounter();
    return DecodeFields(StoredFields(), *database);
}

// "$PKVB,nn*hh\r\n": a query that does not fit the buffer is not sent cut short.
int CPkvbSentenceNode::BuildPoll(CDialogPage&, uint8_t* buffer, int& outLength, int capacity) {
    const std::string body = std::string("PKVB,") + TensDigit(number) + UnitsDigit(number);
    const std::string query = "$" + body + platform::FormatC("*%02X\r\n", SentenceChecksum(body));
    outLength = static_cast<int>(query.size());
    if (!buffer || capacity < outLength) return 0;
    std::memcpy(buffer, query.data(), query.size());
    return outLength;
}

bool CPkvbSentenceNode::BuildRateCommand(bool enable, uint8_t* buffer, int& outLength, int capacity) {
    return KvbBuildRateCommand(kProprietaryNmeaClass, number, enable, buffer, outLength, capacity);
}

// ---- CPkvbTimedSentence

void CPkvbTimedSentence::BindEntries(const CStorageDatabase* database) {
    fixTime.Bind(database);
}

std::optional<NmeaDate> CPkvbTimedSentence::DateOf(const NmeaFields& fields) const {
    if (dateField == kNoDate) return std::nullopt;
    std::optional<NmeaDate> date = fields.Date(dateField);
    if (date) date->year = FourDigitYear(date->year);
    return date;
}

bool CPkvbTimedSentence::SameEpoch(CStorageDatabase* database) {
    if (!CPkvbSentenceNode::SameEpoch(database)) return false;
    const NmeaFields& fields = StoredFields();
    return fixTime.SameEpoch(fields.Time(kTimeField), DateOf(fields));
}

bool CPkvbTimedSentence::StoreTime(const NmeaFields& fields) const {
    return fixTime.Store(fields.Time(kTimeField), DateOf(fields));
}
