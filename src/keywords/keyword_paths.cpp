#include "keywords/keyword_paths.h"

#include "platform/exe_folder.h"

namespace quellix {

std::string KeywordFilePath() { return ExeFolder() + "\\values.zap"; }

std::string ScratchFilePath() { return ExeFolder() + "\\temp.zap"; }

}  // namespace quellix
