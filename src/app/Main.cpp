#include "app/BodyTagApp.h"

wxIMPLEMENT_APP(CBodyTagApp);
