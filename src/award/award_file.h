// Award files: one award version with all its members as the XML of its
// published properties (docs/award-file.md describes the layout). Award
// maintainers keep awards as files and move them between databases; a run
// without a database reads the award its shifts name from such a file.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace qora {

class TObjAward;

// The file name an award code stands for when there is no database: the
// code itself, with ".xml" appended unless the code already contains
// ".xml" (any case).
std::string AwardFileNameForCode(const std::string& pCode);

// Reads an award file into a new award. The award is complete when it is
// returned (its StdHourlyRate taken from the pay class marked as the
// standard rate); nothing of a file that fails to load is ever returned.
// Throws eLoadFromFileException with a message that names the file and
// says what to do: the file cannot be read; it is not well-formed XML (with
// the line and column); its root element is not <TObjAward>; or an element
// holds a value, class or item the award cannot take (naming the element's
// path, e.g. TObjAward/ObjLstOvertime/TObjAwardOvertimeStd/Percentage, and
// its line).
std::unique_ptr<TObjAward> LoadAwardFile(const std::string& pFileName);
// The same from the file's text; pFileName only names it in messages.
std::unique_ptr<TObjAward> LoadAwardFromText(std::string_view pText, const std::string& pFileName);

// The award file text of an award: root element <TObjAward>, two-space
// indentation, properties in published order, so that the same award
// always gives the same bytes.
std::string AwardFileText(const TObjAward& pAward);
// Writes AwardFileText to the file. Throws eLoadFromFileException when the
// file cannot be written.
void SaveAwardFile(const TObjAward& pAward, const std::string& pFileName);

}  // namespace qora
