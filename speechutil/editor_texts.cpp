#include "speechutil/editor_texts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace orvilo::speechutil {
namespace {

constexpr EditorTexts kEnglish = {
    "&File", "&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "E&xit",
    "&Edit", "Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "Select A&ll\tCtrl+A", "&Font",
    "&Language", "&Speaker", "&Tools", "Frequency", "User Dictionary   ", "Load...", "Unload", "User EffectDB",
    "&Help", "&About Sonara_M_App",
    "SPEED", "VOLUME", "PITCH", "Initialize", "Repeat"};

constexpr EditorTexts kKorean = {
    "파일(&F)", "새로 만들기(&N)\tCtrl+N", "열기(&O)...\tCtrl+O", "저장(&S)\tCtrl+S", "끝내기(&X)",
    "편집(&E)", "잘라내기(&T)\tCtrl+X", "복사(&C)\tCtrl+C", "붙여넣기(&P)\tCtrl+V", "모두 선택(&L)\tCtrl+A", "글꼴(&F)",
    "언어(&L)", "화자(&S)", "도구(&T)", "주파수", "사용자 사전   ", "불러오기...", "해제", "사용자 효과DB",
    "도움말(&H)", "Sonara_M_App 정보(&A)",
    "속도", "볼륨", "피치", "초기화", "반복"};

constexpr EditorTexts kJapanese = {
    "ファイル(&F)", "新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S", "終了(&X)",
    "編集(&E)", "切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V", "すべて選択(&L)\tCtrl+A",
    "フォント(&F)", "言語(&L)", "話者(&S)", "ツール(&T)", "周波数", "ユーザー辞書   ", "読み込み...", "解除",
    "ユーザーエフェクトDB", "ヘルプ(&H)", "Sonara_M_App について(&A)",
    "速度", "音量", "ピッチ", "初期化", "繰り返し"};

constexpr EditorTexts kChinese = {
    "文件(&F)", "新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "保存(&S)\tCtrl+S", "退出(&X)",
    "编辑(&E)", "剪切(&T)\tCtrl+X", "复制(&C)\tCtrl+C", "粘贴(&P)\tCtrl+V", "全选(&L)\tCtrl+A", "字体(&F)",
    "语言(&L)", "发音人(&S)", "工具(&T)", "频率", "用户词典   ", "加载...", "卸载", "用户效果库",
    "帮助(&H)", "关于 Sonara_M_App(&A)",
    "速度", "音量", "音调", "初始化", "重复"};

// The text fields of the engine are fixed arrays: never read past them.
std::string Field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

}  // namespace

InterfaceLanguage InterfaceLanguageOfLocale(const char* localeName) {
  if (localeName == nullptr) return InterfaceLanguage::English;
  const auto starts = [&](const char* code) {
    return std::strncmp(localeName, code, 2) == 0 && (localeName[2] == '\0' || std::strchr("_.@", localeName[2]));
  };
  if (starts("ko")) return InterfaceLanguage::Korean;
  if (starts("ja")) return InterfaceLanguage::Japanese;
  if (starts("zh")) return InterfaceLanguage::Chinese;
  return InterfaceLanguage::English;
}

InterfaceLanguage SystemInterfaceLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return InterfaceLanguageOfLocale(value);
  }
  return InterfaceLanguage::English;
}

const EditorTexts& TextsFor(InterfaceLanguage language) {
  switch (language) {
    case InterfaceLanguage::Korean: return kKorean;
    case InterfaceLanguage::Japanese: return kJapanese;
    case InterfaceLanguage::Chinese: return kChinese;
    case InterfaceLanguage::English: break;
  }
  return kEnglish;
}

std::string SpeakerItemText(int k, const SpeakerDbInfo& info) {
  char text[96];
  if (info.id < 0) {
    std::snprintf(text, sizeof text, "% 2d : %s", k, "Not Installed");
  } else {
    std::snprintf(text, sizeof text, "% 2d : %-15s: %d", info.id, Field(info.name, sizeof info.name).c_str(),
                  info.sampleRate);
  }
  return text;
}

std::string EditorTitle(const std::string& version) { return "Sonara_PC_App_M Ver " + version; }

std::string EditorTitle(const std::string& version, const SpeakerDbInfo& speaker, int outputRate) {
  char text[256];
  std::snprintf(text, sizeof text, "%s Ver %s - [%s:%d:%s:%d] - (%dKHz)", "Sonara_PC_App_M", version.c_str(),
                Field(speaker.languageName, sizeof speaker.languageName).c_str(), speaker.id,
                Field(speaker.name, sizeof speaker.name).c_str(), speaker.sampleRate, outputRate == 8000 ? 8 : 16);
  return text;
}

std::string EngineInfoLine(const EngineInfo& info) {
  char text[256];
  std::snprintf(text, sizeof text, "        %s:%s:%s:%c:%s", Field(info.engineName, sizeof info.engineName).c_str(),
                Field(info.languageName, sizeof info.languageName).c_str(),
                Field(info.version, sizeof info.version).c_str(), info.state != 0 ? info.state : ' ',
                Field(info.synthesizer, sizeof info.synthesizer).c_str());
  return text;
}

}  // namespace orvilo::speechutil
