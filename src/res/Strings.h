// The string table: every text the program shows, in UTF-8.
#pragma once

// The text of a string id; an empty text for an unknown id.
const char* LoadResString(int id);
