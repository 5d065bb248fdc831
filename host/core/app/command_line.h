#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The start-up options, from the process's arguments and from the setting "CommandLine": keywords
// after "-", "--" or "/", some followed by a value, and a log file to open. Parsing only records
// what was asked for; the application applies it. A word after "/" is a keyword only when it is
// one of the known keywords, since on Linux every absolute path starts with "/".
class CVeltroCommandLine {
public:
    // The process's arguments, without the program's name.
    void ParseArguments(const std::vector<std::string>& arguments);
    // Words separated by blanks, as the setting stores them.
    void ParseText(std::string_view text);
    // One word, its sign already removed.
    void ParseParam(std::string_view text, bool isFlag, bool isLast);
    // After the last source: tells of a keyword still waiting for its value.
    void Finish();

    static std::string UsageText();

    // Bits for the process-wide MessageMask.
    uint32_t messageGroups = 0;
    std::optional<int> historyCapacity;
    // "port" with a number, or with a device to put under the current port number.
    std::optional<int> portNumber;
    std::string portDevice;
    std::optional<uint32_t> baudRate;
    // The last plain word: the log file to open.
    std::string fileName;
    // The plug-ins' extended pages and choices, for the maker's engineers.
    bool extendedPages = false;
    bool showSplash = true;
    bool showHelp = false;
    bool showVersion = false;
    // Words that made no sense, each told in a sentence.
    std::vector<std::string> problems;

private:
    enum class Value { None, History, Port, Baud };

    void ParseWords(const std::vector<std::string_view>& words);
    void ParseFlag(std::string_view keyword);
    void ParseValue(std::string_view text);
    void ParseHistory(std::string_view text);
    void ParsePort(std::string_view text);
    void ParseBaud(std::string_view text);

    // Which keyword the next plain word is the value of.
    Value expectValue = Value::None;
    std::string valueKeyword;
};
