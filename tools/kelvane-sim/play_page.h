#pragma once

namespace kelvane_sim {

// The play page, play_page.html with its script and style, built into the tool.
extern const char* const PlayPageHtml;

}  // namespace kelvane_sim
