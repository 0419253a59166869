#pragma once

namespace tropolink {

// Gives the window and its link the roles and actions screen readers expect:
// the window is announced as a window with its title, and the link as a link
// whose press action opens the page as a click does. Safe to call repeatedly.
void installAccessibleInterfaces();

}  // namespace tropolink
