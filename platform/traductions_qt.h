#pragma once
// Qt's own texts (the buttons of the message boxes, the file, print and preview dialogs) in
// French like the rest of the program, whatever the language of the session.

namespace TraductionsQt {

// Loads Qt's French translations into the application; false when they are not installed.
bool installer();

} // namespace TraductionsQt
