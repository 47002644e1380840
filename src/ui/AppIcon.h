// The application icon (resource 128) in every size we ship.
#pragma once

#include <wx/iconbndl.h>

wxIconBundle GetApplicationIcons();
