#pragma once

// The one table of the control words (and control symbols) our RTF reader acts on, each with its
// action on the importer. Every other word is passed over.

#include <string_view>

namespace richtext {

class RtfImporter;
struct RtfToken;

using RtfAction = void (*)(RtfImporter &importer, const RtfToken &word);

// The action of a control word ("b", "par") or control symbol ("~", "*"); nullptr for one we
// don't know.
RtfAction rtfAction(std::string_view name);

} // namespace richtext
