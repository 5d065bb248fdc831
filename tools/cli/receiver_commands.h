#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tools/cli/cli_options.h"

class CMessageNode;
class CVeltroDoc;

// A message for the receiver, built by the node of the message tree that it names.
struct ReceiverCommand {
    CMessageNode* node;
    std::vector<uint8_t> bytes;
};

// The polls, then the output switches, in the order given; false with the first name that names
// no message or a message without such a command.
bool BuildReceiverCommands(CVeltroDoc& document, const SendOptions& send, std::vector<ReceiverCommand>& commands,
                           std::string& badName);
