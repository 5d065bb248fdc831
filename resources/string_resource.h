#pragma once

// A text of the program's string table, with its resource number.
struct StringResource {
    int id;
    const char16_t* text;
};
