// Writes the seed corpus of the AR.ini fuzz target: descriptions as content
// makers write them, in UTF-8 and in the legacy code page, with odd numbers.
#include <fstream>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  const char* files[] = {
      "[AR]\r\nIMAGE=ar.png\r\n[GRADE01]\r\nIMAGE=grade1.png\r\nWIDTH=640\r\nHEIGHT=480\r\nSEMESTER1=3\r\n"
      "SEMESTER2=2\r\nCHAPTER11=Plants\r\nCHAPTER12=Animals\r\nCHAPTER13=Water\r\nCHAPTER21=Air\r\n"
      "CHAPTER22=Stars\r\nMARKER11=1\r\nMARKER12=2\r\nMARKER21=6\r\n",
      "[GRADE03]\nWIDTH=99999\nHEIGHT=-5\nSEMESTER1=20\nSEMESTER2=-1\nCHAPTER110=x\nMARKER110= 7 \n",
      "; content of grade 6\n[grade06]\nwidth = 0x20\nSemester1=12\nSemester2=12\nMARKER11=\n",
      "[GRADE02]\r\nCHAPTER11=\xC7\xD1\xB1\xDB\r\nCHAPTER12=\xED\x95\x9C\xEA\xB8\x80\r\nIMAGE=../../etc/passwd\r\n",
      "\xEF\xBB\xBF[GRADE01]\nSEMESTER1=2147483648\nMARKER11=-2147483649\n[GRADE01]\nSEMESTER1=1\n",
  };
  int number = 0;
  for (const char* text : files) std::ofstream(folder + "/ar" + std::to_string(number++) + ".ini", std::ios::binary) << text;
  return 0;
}
