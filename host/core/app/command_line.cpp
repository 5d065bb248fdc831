#include "command_line.h"

#include <algorithm>
#include <charconv>

#include "host/core/connection/connection_settings.h"
#include "platform/serial_device.h"

namespace {

struct GroupKeyword {
    std::string_view name;
    uint32_t groups;
};

// Unlisted keywords that show message groups the ordinary user does not need.
constexpr GroupKeyword kGroupKeywords[] = {
    {"atmel", 0x100}, {"rtc", 0x100}, {"logging", 0x2}, {"odometer", 0x4}, {"spectrum", 0x200}, {"memaccess", 0x400},
};

constexpr std::string_view kOtherKeywords[] = {"history", "port", "baud", "extended", "nologo", "help", "version"};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

const GroupKeyword* FindGroupKeyword(std::string_view word) {
    for (const GroupKeyword& keyword : kGroupKeywords)
        if (EqualsIgnoringCase(word, keyword.name)) return &keyword;
    return nullptr;
}

bool IsKeyword(std::string_view word) {
    return FindGroupKeyword(word) ||
           std::any_of(std::begin(kOtherKeywords), std::end(kOtherKeywords),
                       [&](std::string_view keyword) { return EqualsIgnoringCase(word, keyword); });
}

std::optional<int> ParseDecimal(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A word and whether it is a keyword, its sign removed.
std::pair<std::string_view, bool> SplitSign(std::string_view word) {
    if (word.starts_with("--")) return {word.substr(2), true};
    if (word.starts_with('-')) return {word.substr(1), true};
    if (!word.starts_with('/')) return {word, false};
    const std::string_view keyword = word.substr(1);
    const bool isFlag = keyword.empty() || IsKeyword(keyword);
    return {isFlag ? keyword : word, isFlag};
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

void CVeltroCommandLine::ParseArguments(const std::vector<std::string>& arguments) {
    ParseWords({arguments.begin(), arguments.end()});
}

void CVeltroCommandLine::ParseText(std::string_view text) {
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t";
    for (size_t start = text.find_first_not_of(kBlanks); start != std::string_view::npos;
         start = text.find_first_not_of(kBlanks, start)) {
        const size_t end = std::min(text.find_first_of(kBlanks, start), text.size());
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    ParseWords(words);
}

void CVeltroCommandLine::ParseWords(const std::vector<std::string_view>& words) {
    std::vector<std::pair<std::string_view, bool>> params;
    for (std::string_view word : words) {
        const auto param = SplitSign(word);
        if (!param.first.empty()) params.push_back(param);
    }
    for (size_t i = 0; i < params.size(); ++i) ParseParam(params[i].first, params[i].second, i + 1 == params.size());
}

// The last word of one source may be a keyword whose value is the first word of the next: the
// arguments ending in "-history" take their number from the stored options.
void CVeltroCommandLine::ParseParam(std::string_view text, bool isFlag, bool /*isLast*/) {
    if (isFlag) {
        expectValue = Value::None;
        ParseFlag(text);
    } else {
        ParseValue(text);
        expectValue = Value::None;
    }
}

void CVeltroCommandLine::Finish() {
    if (expectValue != Value::None) problems.push_back("-" + valueKeyword + " needs a value");
    expectValue = Value::None;
}

void CVeltroCommandLine::ParseFlag(std::string_view keyword) {
    valueKeyword = keyword;
    if (const GroupKeyword* group = FindGroupKeyword(keyword))
        messageGroups |= group->groups;
    else if (EqualsIgnoringCase(keyword, "history"))
        expectValue = Value::History;
    else if (EqualsIgnoringCase(keyword, "port"))
        expectValue = Value::Port;
    else if (EqualsIgnoringCase(keyword, "baud"))
        expectValue = Value::Baud;
    else if (EqualsIgnoringCase(keyword, "extended"))
        extendedPages = true;
    else if (EqualsIgnoringCase(keyword, "nologo"))
        showSplash = false;
    else if (EqualsIgnoringCase(keyword, "help"))
        showHelp = true;
    else if (EqualsIgnoringCase(keyword, "version"))
        showVersion = true;
    else
        problems.push_back("unknown option -" + std::string(keyword));
}

void CVeltroCommandLine::ParseValue(std::string_view text) {
    switch (expectValue) {
        case Value::History:
            ParseHistory(text);
            break;
        case Value::Port:
            ParsePort(text);
            break;
        case Value::Baud:
            ParseBaud(text);
            break;
        case Value::None:
            fileName = text;
            break;
    }
}

// An empty history would drop every epoch as soon as it closes.
void CVeltroCommandLine::ParseHistory(std::string_view text) {
    const std::optional<int> epochs = ParseDecimal(text);
    if (epochs && *epochs > 0)
        historyCapacity = *epochs;
    else
        problems.push_back("-history needs a number of epochs above 0, not " + Quoted(text));
}

void CVeltroCommandLine::ParsePort(std::string_view text) {
    if (text.find('/') != std::string_view::npos) {
        portDevice = text;
        portNumber.reset();
        return;
    }
    const std::optional<int> number = ParseDecimal(text);
    if (number && *number >= 1 && *number <= ConnectionSettings::kMaxPorts) {
        portNumber = number;
        portDevice.clear();
    } else {
        problems.push_back("-port needs a port number from 1 to 9 or a device path, not " + Quoted(text));
    }
}

void CVeltroCommandLine::ParseBaud(std::string_view text) {
    const std::optional<int> rate = ParseDecimal(text);
    if (rate && *rate > 0 && platform::IsSupportedBaudRate(static_cast<uint32_t>(*rate)))
        baudRate = static_cast<uint32_t>(*rate);
    else
        problems.push_back("-baud needs a line speed such as 4800, 9600 or 57600, not " + Quoted(text));
}

std::string CVeltroCommandLine::UsageText() {
    return "Usage: veltro [options] [log file]\n"
           "  -history N      keep the last N epochs for charts and statistics (900 unless given)\n"
           "  -port N         connect to port COM N (1 to 9)\n"
           "  -port DEVICE    connect to DEVICE, such as /dev/ttyUSB0 or tcp://HOST:PORT (a receiver on\n"
           "                  the network), under the current port number\n"
           "  -baud RATE      line speed in baud, such as 9600 or 57600\n"
           "  -extended       the extended message pages, with the rows and fields for the maker's tests\n"
           "  -nologo         no splash screen\n"
           "  --simulate[=HZ] start a simulated receiver (veltro-sim) at HZ epochs a second, 1 to 10,\n"
           "                  and connect to it\n"
           "  -help           this text\n"
           "  -version        the program's version\n"
           "Options may also begin with \"--\" or \"/\". Options kept in the setting \"CommandLine\" of the\n"
           "section \"Settings\" are read after these.\n";
}
