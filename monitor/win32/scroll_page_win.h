// Scrolls the page shown by an Internet Explorer window through the page's
// own script, reached through the accessibility library.
#pragma once

#include <windows.h>

#include "monitor/universal_scroll.h"

namespace vextra {

ScrollSink::PageResult ScrollBrowserPage(HWND window, int dx, int dy);

}  // namespace vextra
