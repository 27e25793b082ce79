#include "keywords/keyword_paths.h"

#include "platform/exe_folder.h"

namespace quellix {

std::wstring KeywordFilePath() { return ExeFolder() + L"\\values.zap"; }

std::wstring ScratchFilePath() { return ExeFolder() + L"\\temp.zap"; }

}  // namespace quellix
