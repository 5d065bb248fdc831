#pragma once
#include "resources/string_resource.h"
#include "resources/veltro/message_boxes.h"

// The document template: window title, document name, file filter, extension, type names.
inline constexpr StringResource kDocumentTemplate{
    101, u"\nVeltro\nVeltro\nKorvala Log Files (*.kvb)\n.kvb\nVeltro.Document\nKorvala Log File"};
