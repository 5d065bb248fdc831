#pragma once
#include <cstdint>

class CDialogPage;

// Pages that show a sentence as text: the text transmission (TXT), the sentence no other node
// knows, and the sentence typed by hand to be sent.

// TXT: the name of the text's type (field 3) and the text after the fourth comma.
void ShowTxtPage(CDialogPage& page, const uint8_t* bytes, int length);

// The sentence without "$", checksum and line end.
void ShowSentencePage(CDialogPage& page, const uint8_t* bytes, int length);
void ResizeSentencePage(CDialogPage& page, int width, int height);

// The custom page: what the user types becomes "$", the text, the checksum when "Append
// Checksum" is checked, and CR LF.
void InitCustomPage(CDialogPage& page);
// As the sentence page; the check box tells whether the sentence carried a checksum.
void ShowCustomPage(CDialogPage& page, const uint8_t* bytes, int length);
// The typed text holds only printable characters.
bool IsCustomPageValid(const CDialogPage& page, int controlId);
// False, with nothing written, when the sentence does not fit capacity.
bool BuildCustomSentence(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity);
