#pragma once

// Stand-ins for ports a front end does not give: dialogs that are cancelled,
// no printer, a clipboard that keeps nothing. They let a front end name only
// the ports it has.

#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Page.h"
#include "platform/PrintDialog.h"

namespace platform {

FileDialogs& noFileDialogs();
PrintDialog& noPrintDialog();
PageDevice& noPageDevice();
Clipboard& noClipboard();

}  // namespace platform
