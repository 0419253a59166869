#pragma once

#include <QUrl>

namespace tropolink {

// Address of the description page that lies beside the running program: the
// installed copy, or the build tree's copy when run from the build tree.
QUrl descriptionPageUrl();

}  // namespace tropolink
