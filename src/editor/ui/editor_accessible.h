// What screen readers and magnifiers read of an editor: its text, caret,
// selection and the on-screen extents of its characters, answered from the
// control's own messages. Offsets count characters (code points), as the
// control's text events do; every offset from 0 to the length is answered.
#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace vendle {

// The accessibility factory of the editors; installed once, before the
// control's own, whose extents are wrong and whose end offset crashes.
QAccessibleInterface* EditorAccessibleFactory(const QString& className, QObject* object);
void InstallEditorAccessibility();

}  // namespace vendle
