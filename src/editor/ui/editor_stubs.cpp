// Entry points of the editor commands whose builds come later.
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/find_commands.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/view_options.h"

namespace vendle {


}  // namespace vendle
