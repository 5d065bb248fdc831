#pragma once
#include "host/views/consoles/console_view.h"

class CViewRegistry;

// The message's own text form, for messages that have one.
class CTextConsoleView : public CConsoleView {
protected:
    std::optional<std::u16string> BuildEntry(CMessageNode& node) override;
};

// A hexadecimal dump of every message's bytes.
class CBinaryConsoleView : public CConsoleView {
protected:
    std::optional<std::u16string> BuildEntry(CMessageNode& node) override;
};

// One line per message: protocol, name, size and description.
class CPacketConsoleView : public CConsoleView {
protected:
    std::optional<std::u16string> BuildEntry(CMessageNode& node) override;
};

// Registers the packet, binary and text consoles.
void RegisterConsoleViews(CViewRegistry& registry);
