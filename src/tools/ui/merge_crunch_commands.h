// Include merge, crunch and uncrunch of the selected document: each opens
// its result in a new tab beside the source, which stays as it is.
#pragma once

namespace vendle {

class App;

// Item::Merge: "<name>_Merged.<ext>" with the included files' texts, then a
// message with the number of files merged.
void MergeIncludes(App& app);
// Item::Crunch: "<name>_c.<ext>", and the cross-reference file "<name>_c.lst".
void CrunchDocument(App& app);
// Item::UnCrunch: "<name>_uc.<ext>".
void UnCrunchDocument(App& app);

}  // namespace vendle
