#pragma once
// A skin named on a tool's command line: a skin folder, its skin.ini, or a compressed skin
// file. zarvo-skin and zarvo-gallery take the same three forms.

#include <QString>

class TbsSkinData;
class TbsCompressedStoredSkin;

namespace SkinSource {

// The skin file a command-line argument names: a folder means its skin.ini.
QString SkinPathOf(const QString& argument);

// A compressed skin file starts with the format version 1 as 4 bytes little-endian; no
// skin.ini text starts so.
bool IsCompressedSkinFile(const QString& path);

// Loads a compressed skin file; an empty one is refused (ToolCli::Failure), since the engine
// ignores it. The reader's errors are raised as they are.
void LoadCompressedFile(TbsCompressedStoredSkin& compressed, const QString& path);

// Loads the skin of `path` (skin.ini or compressed file) the way a program does. A missing
// file raises ToolCli::Failure; the engine's errors are raised as they are.
void LoadSkin(TbsSkinData& data, const QString& path);

} // namespace SkinSource
