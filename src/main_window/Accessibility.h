#pragma once

// Tells assistive technology what the window's own widgets are: the drop zone a button (it
// opens the file dialog), the status line a status bar. Called before the first of them
// is made, since an interface, once asked for, is kept.
void installAccessibleRoles();
