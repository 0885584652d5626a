#pragma once

#include <array>

namespace nv::app {

// One page of the main window's tool notebook PCTools.
struct ToolPage {
  const char* name;     // the page's object name, which the language files address
  const char* caption;  // the English caption
};

// The tool pages by index, left to right: "ToolsActive" and the page
// commands count in this order.
inline constexpr std::array<ToolPage, 10> kToolPages = {{
    {"TSNotes", "Notes"},
    {"TSSymbols", "Symbols"},
    {"TSExpanded", "Expanded"},
    {"TSTerms", "Expressions"},
    {"TSAccords", "Chords"},
    {"TSDesign", "Design"},
    {"TSKeyboard", "Piano"},
    {"TSGuitar", "Guitar"},
    {"TSModify", "Modify"},
    {"TSNavigator", "Navigator"},
}};

}  // namespace nv::app
