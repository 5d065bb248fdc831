#pragma once
#include <string>
#include <string_view>
#include <vector>

class CMessageNode;
class CVeltroDoc;

// The messages that the message view offers, in its list's order: the KVB configuration and
// monitor messages, the free NMEA sentence, the free KVB message and the free bytes, then every
// other message that has a page, protocol by protocol in tree order, each protocol's root (its
// information page) first. Only messages whose group is enabled (MessageMask) are listed.
std::vector<CMessageNode*> MessageListEntries(CVeltroDoc& document);

// The node's class is the KVB class "CFG": sending it changes the receiver's configuration.
bool IsConfigurationMessage(const CMessageNode& node);

// The name by which a message is looked up: its own ("CFG-PRT"), a root's its protocol's ("CUSTOM").
std::u16string MessageName(const CMessageNode& node);
// "KVB CFG-PRT", "NMEA GPGGA"; a root is named by itself ("CUSTOM").
std::u16string DisplayName(const CMessageNode& node);

// The message that the catalogues call name ("NAV-SOL", "GPGGA", "CUSTOM"): the first listed
// one, else the first in the trees; null when none is.
CMessageNode* FindMessageByName(CVeltroDoc& document, std::u16string_view name);
// The listed message of that protocol and name, else the trees' (a view state taken back).
CMessageNode* FindMessage(CVeltroDoc& document, std::u16string_view protocol, std::u16string_view name);
// Every name FindMessageByName knows, sorted, once each.
std::vector<std::u16string> MessageNames(CVeltroDoc& document);
