#pragma once

// Tells assistive technology what the window's own widgets are: the drop zone a button that
// can be pressed (it opens the file dialog), the status line a status bar, the link in its
// text a link to follow, and a plain widget shown as a dialog (the About window) a dialog.
// Called before the first of them is made, since an interface, once asked for, is kept.
void installAccessibleRoles();
