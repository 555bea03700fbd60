#include "texts.h"

#include "lorvex_config.h"

namespace lorvex {

std::string missingFileMessage(const std::string& name) {
  return "Konnte die Datei " + name + " nicht finden!";
}

std::string directoryNotCreatedMessage(const std::string& path) {
  return "Konnte das Verzeichns '" + path + "' nicht anlegen!";
}

std::string informationMessage() {
  return "Der Zantiq wird nun im Diagnosemodus gestartet.\n"
         "\n"
         "Falls ein unerwartetes Problem auftreten sollte oder der  Zantiq "
         "abst\xFCrzt,\n"
         "wechseln Sie bitte in das DOS Fenster, welches im Hintergrund "
         "ge\xF6" "ffnet wurde,\n"
         "und dr\xFC" "cken Sie die Tastenkombination \"Strg\" und \"Pause\".\n"
         "\n"
         "Dadurch wird eine Diagnosedatei erzeugt, die Mervalon die "
         "Problembehebung erheblich erleichtert.\n"
         "Die erzeugte Diagnosedatei finden Sie im Installationsverzeichnis "
         "des Zantiqs.\n"
         "Sie beginnt mit \"diagnostic.log...\"\n"
         "\n"
         "Schicken Sie diese Datei bitte im Anhang einer E-Mail an \""
         LORVEX_SUPPORT_EMAIL "\".\n"
         "Weitere Informationen k\xF6nnen Sie der Datei \"diagnostic_readme.txt\" "
         "entnehmen,\n"
         "die sich ebenfalls im  Installationsverzeichnis befindet.";
}

}  // namespace lorvex
