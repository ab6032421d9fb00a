// The words of the speech editor's window in its four interface languages
// (English, Korean, Japanese, Chinese), and the texts it builds from the
// engine's answers: speaker items, window titles, about lines.
#pragma once

#include <string>

#include "engines/sonara/sonara_m.h"

namespace orvilo::speechutil {

enum class InterfaceLanguage { English, Korean, Japanese, Chinese };

// From a locale name ("ko_KR.UTF-8", "ja", "zh_CN"); English for any other.
InterfaceLanguage InterfaceLanguageOfLocale(const char* localeName);
// The session's: the first non-empty of LC_ALL, LC_MESSAGES and LANG.
InterfaceLanguage SystemInterfaceLanguage();

struct EditorTexts {
  // Menus; "\t" separates the shortcut shown at the right.
  const char* fileMenu;
  const char* newItem;
  const char* openItem;
  const char* saveItem;
  const char* exitItem;
  const char* editMenu;
  const char* cutItem;
  const char* copyItem;
  const char* pasteItem;
  const char* selectAllItem;
  const char* fontItem;
  const char* languageMenu;
  const char* speakerMenu;
  const char* toolsMenu;
  const char* frequencyMenu;
  const char* dictionaryMenu;
  const char* loadItem;
  const char* unloadItem;
  const char* effectMenu;
  const char* helpMenu;
  const char* aboutItem;
  // Controls.
  const char* speed;
  const char* volume;
  const char* pitch;
  const char* initialize;
  const char* repeat;
};

const EditorTexts& TextsFor(InterfaceLanguage language);

// Speaker item k of a loaded language: " 0 : Dasol          : 16000", or
// " 3 : Not Installed" when info.id is negative.
std::string SpeakerItemText(int k, const SpeakerDbInfo& info);

// "Sonara_PC_App_M Ver 1.0.0.0", and with a speaker
// "Sonara_PC_App_M Ver 1.0.0.0 - [Korean:0:Dasol:16000] - (16KHz)".
std::string EditorTitle(const std::string& version);
std::string EditorTitle(const std::string& version, const SpeakerDbInfo& speaker, int outputRate);

// A line of the about dialog: "        name:language:version:L:synthesizer".
std::string EngineInfoLine(const EngineInfo& info);

}  // namespace orvilo::speechutil
