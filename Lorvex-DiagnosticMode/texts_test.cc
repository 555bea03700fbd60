#include "texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "lorvex_config.h"

namespace lorvex {
namespace {

TEST(InformationMessage, IsThirteenLinesOfWindows1252JoinedByLf) {
  const std::string expected =
      "Der Zantiq wird nun im Diagnosemodus gestartet.\n"
      "\n"
      "Falls ein unerwartetes Problem auftreten sollte oder der  Zantiq abst\xFCrzt,\n"
      "wechseln Sie bitte in das DOS Fenster, welches im Hintergrund ge\xF6" "ffnet wurde,\n"
      "und dr\xFC" "cken Sie die Tastenkombination \"Strg\" und \"Pause\".\n"
      "\n"
      "Dadurch wird eine Diagnosedatei erzeugt, die Mervalon die Problembehebung "
      "erheblich erleichtert.\n"
      "Die erzeugte Diagnosedatei finden Sie im Installationsverzeichnis des Zantiqs.\n"
      "Sie beginnt mit \"diagnostic.log...\"\n"
      "\n"
      "Schicken Sie diese Datei bitte im Anhang einer E-Mail an \"" LORVEX_SUPPORT_EMAIL
      "\".\n"
      "Weitere Informationen k\xF6nnen Sie der Datei \"diagnostic_readme.txt\" entnehmen,\n"
      "die sich ebenfalls im  Installationsverzeichnis befindet.";
  const std::string message = informationMessage();
  EXPECT_EQ(message, expected);
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 12);
  EXPECT_EQ(message.find('\r'), std::string::npos);
  EXPECT_NE(message.back(), '\n');
}

TEST(Messages, NameThePathOrFile) {
  EXPECT_EQ(missingFileMessage("portable.properties"),
            "Konnte die Datei portable.properties nicht finden!");
  EXPECT_EQ(missingFileMessage(""), "Konnte die Datei  nicht finden!");
  EXPECT_EQ(directoryNotCreatedMessage("D:\\x\\Zantiq-Portable"),
            "Konnte das Verzeichns 'D:\\x\\Zantiq-Portable' nicht anlegen!");
}

}  // namespace
}  // namespace lorvex
