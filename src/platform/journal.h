#pragma once
// File logger: named channels ("LogBDD", "LogMsgError", "LOG_BACKUP", ...) appended to text files
// in the log directory, one time-stamped line per call. The directory is set once by the host
// (DefinitRepertoireJournaux) and created when first needed; until it is set, lines go to the
// user's state directory, $XDG_STATE_HOME/kybase/logs (default ~/.local/state/kybase/logs).
// Thread-safe. Logging never throws and never stops the caller.
#include <string>
#include <vector>

namespace kyb {

void DefinitRepertoireJournaux(const std::string& repertoireUtf8);
[[nodiscard]] std::string RepertoireJournaux();

// Appends "dd/mm/yyyy hh:nn:ss [thread] texte" to <directory>/<fichier> (a name such as
// "LogBDD.log"; a channel name without extension gets ".log").
void AjouteJournal(const std::string& fichier, const std::string& texteUtf8);

// Lines of a log file (tests and maintenance).
[[nodiscard]] std::vector<std::string> LignesJournal(const std::string& fichier);

}  // namespace kyb
