// The XML reader and the post-process checks must catch what they claim
// to: each fault is planted in an otherwise valid sample.
#include "app/PostprocessChecks.h"
#include "app/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace vorn::test;

namespace {

struct Line {
  int tabs;
  const char* text;
};

std::string crlfText(std::initializer_list<Line> lines) {
  std::string s;
  for (const Line& l : lines) s += std::string(l.tabs, '\t') + l.text + "\r\n";
  return s;
}

// A small chain in the carried files' style: a glow group, and a motion
// blur that ends in tone mapping so that ToneMap_to_8 can stand in for it.
std::string sample() {
  return crlfText({
      {0, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>"},
      {0, "<PostProcess>"},
      {1, "<!-- Units -->"},
      {1, "<BlockUnit id=\"Half\" shader=\"Downsample2x2_16f\">"},
      {2, "<BlockUnitInput id=\"in\" sampler=\"sampler0\" magfilter=\"linear\" minfilter=\"linear\" />"},
      {2, "<BlockUnitOutput id=\"out\" config=\"in\" format=\"f16x4\" widthScale=\"0.5\" heightScale=\"0.5\" />"},
      {1, "</BlockUnit>"},
      {1, "<BlockUnit id=\"Mix\" shader=\"Mix_16f\">"},
      {2, "<BlockUnitInput id=\"in\" sampler=\"sampler0\" />"},
      {2, "<BlockUnitInput id=\"add\" sampler=\"sampler1\" />"},
      {2, "<BlockUnitOutput id=\"out\" config=\"in\" />"},
      {1, "</BlockUnit>"},
      {1, "<BlockUnit id=\"Smear\" shader=\"MotionBlur_16f\">"},
      {2, "<BlockUnitInput id=\"in\" sampler=\"sampler0\" />"},
      {2, "<BlockUnitInput id=\"velocity\" sampler=\"sampler1\" extref=\"VelocityTarget\" />"},
      {2, "<BlockUnitOutput id=\"out\" config=\"in\" />"},
      {1, "</BlockUnit>"},
      {1, "<BlockUnit id=\"ToneMap_to_8\" shader=\"ToneMap_to_8\">"},
      {2, "<BlockUnitInput id=\"in\" sampler=\"sampler0\" />"},
      {2, "<BlockUnitInput id=\"lum\" sampler=\"sampler1\" />"},
      {2, "<BlockUnitOutput id=\"out\" config=\"in\" format=\"u8x4\" />"},
      {1, "</BlockUnit>"},
      {0, ""},
      {1, "<BlockGroup id=\"Glow\">"},
      {2, "<BlockGroupInput id=\"in\" />"},
      {2, "<BlockGroupOutput id=\"out\" />"},
      {2, "<BlockReference id=\"half\" ref=\"Half\"/>"},
      {2, "<BlockReference id=\"mix\" ref=\"Mix\"/>"},
      {2, "<Connection from=\"in\" to=\"half.in\"/>"},
      {2, "<Connection from=\"in\" to=\"mix.in\"/>"},
      {2, "<Connection from=\"half.out\" to=\"mix.add\"/>"},
      {2, "<Connection from=\"mix.out\" to=\"out\"/>"},
      {1, "</BlockGroup>"},
      {1, "<BlockGroup id=\"MotionBlur\">"},
      {2, "<BlockGroupInput id=\"in\" />"},
      {2, "<BlockGroupInput id=\"lum\" />"},
      {2, "<BlockGroupOutput id=\"out\" />"},
      {2, "<BlockReference id=\"smear\" ref=\"Smear\"/>"},
      {2, "<BlockReference id=\"toneMap\" ref=\"ToneMap_to_8\"/>"},
      {2, "<Connection from=\"in\" to=\"smear.in\"/>"},
      {2, "<Connection from=\"smear.out\" to=\"toneMap.in\"/>"},
      {2, "<Connection from=\"lum\" to=\"toneMap.lum\"/>"},
      {2, "<Connection from=\"toneMap.out\" to=\"out\"/>"},
      {1, "</BlockGroup>"},
      {0, "<!-- The main chain -->"},
      {1, "<RootBlockGroup id=\"Test\">"},
      {2, "<BlockGroupInput id=\"in\" extref=\"MainColourTarget\" />"},
      {2, "<BlockGroupOutput id=\"out\" extref=\"BackBuffer\" />"},
      {2, "<BlockReference id=\"glow\" ref=\"Glow\"/>"},
      {2, "<BlockReference id=\"blur\" ref=\"MotionBlur\"/>"},
      {2, "<Connection from=\"in\" to=\"glow.in\"/>"},
      {2, "<Connection from=\"glow.out\" to=\"blur.in\"/>"},
      {2, "<Connection from=\"in\" to=\"blur.lum\"/>"},
      {2, "<Connection from=\"blur.out\" to=\"out\"/>"},
      {1, "</RootBlockGroup>"},
      {0, ""},
      {0, "</PostProcess>"},
  });
}

// 'text' with the first 'from' replaced by 'to'; 'from' must occur.
std::string planted(std::string text, std::string_view from, std::string_view to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << "sample lacks " << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string joined(const std::vector<std::string>& problems) {
  std::string s;
  for (const auto& p : problems) s += "\n  " + p;
  return s;
}

bool mentions(const std::vector<std::string>& problems, std::string_view what) {
  for (const auto& p : problems) {
    if (p.find(what) != std::string::npos) return true;
  }
  return false;
}

struct Fault {
  const char* name;
  std::string text;
  const char* expected;  // a piece of the problem message
};

void expectFaults(const std::vector<Fault>& faults) {
  for (const Fault& f : faults) {
    std::vector<std::string> problems = checkPostprocessFile(f.text, "Test", false);
    EXPECT_TRUE(mentions(problems, f.expected))
        << f.name << ": expected a problem mentioning \"" << f.expected << "\", got:" << joined(problems);
  }
}

TEST(PostprocessXmlTest, ReadsElementsAttributesAndIndentation) {
  XmlParseResult r = parseXml(sample());
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.declaration.version, "1.0");
  EXPECT_EQ(r.declaration.encoding, "ISO-8859-1");
  EXPECT_EQ(r.declaration.standalone, "yes");
  EXPECT_EQ(r.comments, 2);
  EXPECT_EQ(r.root.name, "PostProcess");
  ASSERT_EQ(r.root.children.size(), 7u);
  const XmlElement& half = r.root.children[0];
  EXPECT_EQ(half.line, 4);
  EXPECT_EQ(half.indent, 1);
  EXPECT_EQ(half.endIndent, 1);
  ASSERT_EQ(half.children.size(), 2u);
  const XmlElement& input = half.children[0];
  ASSERT_EQ(input.attributes.size(), 4u);
  EXPECT_EQ(input.attributes[1].first, "sampler");
  EXPECT_EQ(*input.attribute("minfilter"), "linear");
  EXPECT_EQ(input.attribute("extref"), nullptr);
  EXPECT_EQ(input.indent, 2);
  EXPECT_FALSE(r.root.hasText);
}

TEST(PostprocessXmlTest, ResolvesReferencesAndSeesText) {
  XmlParseResult r = parseXml("<?xml version=\"1.0\"?>\n<a v='x &amp; &lt;y&gt; &#65;&#x42; \"q\"'>t &amp;</a>\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(*r.root.attribute("v"), "x & <y> AB \"q\"");
  EXPECT_TRUE(r.root.hasText);
  EXPECT_EQ(r.root.indent, 0);
  XmlParseResult nested = parseXml("<?xml version=\"1.0\"?><a><b/></a>");
  ASSERT_TRUE(nested.ok) << nested.error;
  EXPECT_EQ(nested.root.indent, -1);  // the declaration precedes it on its line
}

TEST(PostprocessXmlTest, RejectsWhatIsNotWellFormed) {
  const std::string decl = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>\r\n";
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"no declaration", "<a/>"},
      {"declaration not first", "\r\n" + decl + "<a/>"},
      {"XML 1.1", "<?xml version=\"1.1\"?><a/>"},
      {"misordered declaration", "<?xml encoding=\"ISO-8859-1\" version=\"1.0\"?><a/>"},
      {"bad standalone", "<?xml version=\"1.0\" standalone=\"maybe\"?><a/>"},
      {"empty document", decl},
      {"crossed tags", decl + "<a><b></a></b>"},
      {"unclosed element", decl + "<a><b/>"},
      {"end tag only", decl + "</a>"},
      {"unquoted value", decl + "<a x=1/>"},
      {"missing value", decl + "<a x/>"},
      {"duplicate attribute", decl + "<a x=\"1\" x=\"2\"/>"},
      {"attributes run together", decl + "<a x=\"1\"y=\"2\"/>"},
      {"unterminated value", decl + "<a x=\"1/>"},
      {"'<' in a value", decl + "<a x=\"<\"/>"},
      {"unknown entity", decl + "<a x=\"&nbsp;\"/>"},
      {"bare ampersand", decl + "<a>fish & chips</a>"},
      {"reference beyond Latin-1", decl + "<a x=\"&#x100;\"/>"},
      {"reference to a control character", decl + "<a x=\"&#1;\"/>"},
      {"double hyphen in a comment", decl + "<a><!-- a -- b --></a>"},
      {"comment ending in a hyphen", decl + "<a><!-- a ---></a>"},
      {"unterminated comment", decl + "<a><!-- a </a>"},
      {"two root elements", decl + "<a/><b/>"},
      {"text after the root", decl + "<a/>x"},
      {"DOCTYPE", decl + "<!DOCTYPE a><a/>"},
      {"CDATA", decl + "<a><![CDATA[x]]></a>"},
      {"processing instruction", decl + "<a><?pi x?></a>"},
      {"control byte", decl + "<a>\x01</a>"},
      {"NUL byte", decl + std::string("<a>\0</a>", 8)},
      {"name starting with a digit", decl + "<1a/>"},
      {"]]> in text", decl + "<a>]]></a>"},
  };
  for (const Case& c : cases) {
    XmlParseResult r = parseXml(c.text);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_EQ(r.error.rfind("line ", 0), 0u) << c.name << ": " << r.error;
  }
}

TEST(PostprocessXmlTest, ReportsTheLineOfTheFault) {
  XmlParseResult r = parseXml("<?xml version=\"1.0\"?>\r\n<a>\r\n\t<b x=\"1\" x=\"2\"/>\r\n</a>\r\n");
  ASSERT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind("line 3: ", 0), 0u) << r.error;
  r = parseXml("<?xml version=\"1.0\"?>\r\n<a>\r\n\r\n\r\n</b>\r\n");
  ASSERT_FALSE(r.ok);
  EXPECT_EQ(r.error.rfind("line 5: ", 0), 0u) << r.error;
}

TEST(PostprocessCheckTest, TheSamplePasses) {
  std::vector<std::string> problems = checkPostprocessFile(sample(), "Test", false);
  EXPECT_TRUE(problems.empty()) << joined(problems);
}

TEST(PostprocessCheckTest, FindsLayoutFaults) {
  const std::string s = sample();
  expectFaults({
      {"LF without CR", planted(s, "<PostProcess>\r\n", "<PostProcess>\n"), "LF without CR"},
      {"CR without LF", planted(s, "</BlockUnit>\r\n", "</BlockUnit>\r\r\n"), "CR without LF"},
      {"no line end after the last line", s.substr(0, s.size() - 2), "last line"},
      {"other declaration", planted(s, "standalone=\"yes\"", "standalone=\"no\""), "declaration"},
      {"space indentation",
       planted(s, "\t\t<Connection from=\"in\" to=\"half.in\"/>", "\t  <Connection from=\"in\" to=\"half.in\"/>"),
       "spaces"},
      {"tab inside text", planted(s, "id=\"half\" ref", "id=\"half\"\tref"), "tab inside"},
      {"trailing space", planted(s, "</BlockGroup>\r\n", "</BlockGroup> \r\n"), "trailing space"},
      {"Latin-1 letter", planted(s, "<!-- Units -->", "<!-- Unit\xE9s -->"), "not printable ASCII"},
  });
}

TEST(PostprocessCheckTest, FindsVocabularyFaults) {
  const std::string s = sample();
  expectFaults({
      {"unknown element", planted(s, "<BlockGroupInput id=\"in\" />", "<BlockGroupParam id=\"in\" />"),
       "unknown element BlockGroupParam"},
      {"unknown attribute", planted(s, "shader=\"Mix_16f\"", "shader=\"Mix_16f\" blend=\"add\""),
       "unknown attribute blend"},
      {"missing shader", planted(s, " shader=\"Mix_16f\"", ""), "lacks attribute shader"},
      {"missing sampler", planted(s, " sampler=\"sampler1\" />", " />"), "lacks attribute sampler"},
      {"unknown format", planted(s, "format=\"f16x4\"", "format=\"f32x4\""), "bad format"},
      {"zero scale", planted(s, "widthScale=\"0.5\"", "widthScale=\"0\""), "bad widthScale"},
      {"unknown filter", planted(s, "magfilter=\"linear\"", "magfilter=\"cubic\""), "bad magfilter"},
      {"dotted id", planted(s, "id=\"half\" ref", "id=\"ha.lf\" ref"), "bad id"},
      {"text in an element", planted(s, "</BlockUnit>", "x</BlockUnit>"), "holds text"},
      {"connection inside a unit",
       planted(s, "<BlockUnitOutput id=\"out\" config=\"in\" />\r\n\t</BlockUnit>\r\n\t<BlockUnit id=\"Smear\"",
               "<Connection from=\"in\" to=\"out\"/>\r\n\t</BlockUnit>\r\n\t<BlockUnit id=\"Smear\""),
       "may not stand inside BlockUnit"},
      {"wrong root element", planted(planted(s, "<PostProcess>", "<Effects>"), "</PostProcess>", "</Effects>"),
       "not PostProcess"},
      {"deeper indentation", planted(s, "\t<BlockGroup id=\"Glow\">", "\t\t<BlockGroup id=\"Glow\">"),
       "indented by 1 tabs"},
      {"two tags on a line",
       planted(s, "<BlockReference id=\"mix\" ref=\"Mix\"/>\r\n\t\t", "<BlockReference id=\"mix\" ref=\"Mix\"/>"),
       "not on its own line"},
  });
}

TEST(PostprocessCheckTest, FindsChainFaults) {
  const std::string s = sample();
  expectFaults({
      {"other root id", planted(s, "<RootBlockGroup id=\"Test\">", "<RootBlockGroup id=\"Test2\">"), "not Test"},
      {"second root",
       planted(planted(s, "<BlockGroup id=\"Glow\">", "<RootBlockGroup id=\"Glow\">"), "</BlockGroup>",
               "</RootBlockGroup>"),
       "2 root chains"},
      {"no root",
       planted(planted(s, "<RootBlockGroup id=\"Test\">", "<BlockGroup id=\"Test\">"), "</RootBlockGroup>",
               "</BlockGroup>"),
       "0 root chains"},
      {"root reads another target", planted(s, "MainColourTarget", "DepthTarget"), "MainColourTarget"},
      {"root writes another target", planted(s, "\"BackBuffer\"", "\"Scratch\""), "BackBuffer"},
      {"inner group with an external target",
       planted(s, "<BlockGroupInput id=\"lum\" />", "<BlockGroupInput id=\"lum\" extref=\"Luma\" />"),
       "only the root chain"},
      {"block defined twice", planted(s, "<BlockUnit id=\"Mix\"", "<BlockUnit id=\"Half\""), "defined twice"},
      {"undefined block", planted(s, "ref=\"Half\"", "ref=\"Quarter\""), "undefined block Quarter"},
      {"reference to the root", planted(s, "ref=\"Half\"", "ref=\"Test\""), "names the root chain"},
      {"group inside itself", planted(s, "ref=\"Smear\"", "ref=\"MotionBlur\""), "names its own group"},
      {"groups inside each other",
       planted(planted(s, "ref=\"Half\"", "ref=\"MotionBlur\""), "ref=\"Smear\"", "ref=\"Glow\""), "contains itself"},
      {"reference named like a port",
       planted(planted(planted(s, "id=\"mix\" ref", "id=\"out\" ref"), "to=\"mix.in\"", "to=\"out.in\""),
               "from=\"mix.out\"", "from=\"out.out\""),
       "id of a group port"},
      {"missing output port", planted(s, "from=\"half.out\"", "from=\"half.result\""), "no output result"},
      {"missing input port", planted(s, "to=\"mix.add\"", "to=\"mix.sum\""), "no input sum"},
      {"input used as a source", planted(s, "from=\"half.out\"", "from=\"half.in\""), "no output in"},
      {"external input connected", planted(s, "to=\"smear.in\"", "to=\"smear.velocity\""),
       "reads velocity from an external target"},
      {"missing group input", planted(s, "from=\"lum\"", "from=\"luma\""), "no input luma"},
      {"missing group output", planted(s, "from=\"mix.out\" to=\"out\"", "from=\"mix.out\" to=\"result\""),
       "no output result"},
      {"input fed twice", planted(s, "from=\"in\" to=\"mix.in\"", "from=\"in\" to=\"mix.add\""),
       "mix.add is fed 2 times"},
      {"input not fed", planted(s, "\t\t<Connection from=\"in\" to=\"mix.in\"/>\r\n", ""), "mix.in is fed 0 times"},
      {"output fed twice", planted(s, "from=\"glow.out\" to=\"blur.in\"", "from=\"glow.out\" to=\"out\""),
       "output out is fed 2 times"},
      {"unused group input", planted(s, "from=\"lum\" to=\"toneMap.lum\"", "from=\"in\" to=\"toneMap.lum\""),
       "input lum is never used"},
      {"unused result", planted(s, "from=\"half.out\" to=\"mix.add\"", "from=\"in\" to=\"mix.add\""),
       "nothing uses the result of half"},
      {"unknown reference", planted(s, "from=\"half.out\"", "from=\"third.out\""), "no reference third"},
      {"cycle",
       planted(planted(s, "from=\"in\" to=\"half.in\"", "from=\"mix.out\" to=\"half.in\""),
               "from=\"mix.out\" to=\"out\"", "from=\"half.out\" to=\"out\""),
       "cycle"},
      {"config of an unknown input",
       planted(s, "<BlockUnitOutput id=\"out\" config=\"in\" format=\"u8x4\" />",
               "<BlockUnitOutput id=\"out\" config=\"colour\" format=\"u8x4\" />"),
       "unknown input colour"},
      {"sampler used twice",
       planted(s, "<BlockUnitInput id=\"add\" sampler=\"sampler1\" />",
               "<BlockUnitInput id=\"add\" sampler=\"sampler0\" />"),
       "sampler sampler0 used twice"},
      {"port declared twice", planted(s, "<BlockUnitInput id=\"add\"", "<BlockUnitInput id=\"in\""), "declared twice"},
      {"scaled on one side", planted(s, " heightScale=\"0.5\"", ""), "only one side"},
      {"scaled and sized", planted(s, "heightScale=\"0.5\"", "heightScale=\"0.5\" width=\"4\" height=\"4\""),
       "both scaled and sized"},
      {"unused block",
       planted(s, "<BlockUnit id=\"Mix\" shader=\"Mix_16f\">\r\n",
               "<BlockUnit id=\"Spare\" shader=\"Copy_16f\">\r\n\t\t<BlockUnitInput id=\"in\" "
               "sampler=\"sampler0\" />\r\n\t\t<BlockUnitOutput id=\"out\" config=\"in\" />\r\n\t"
               "</BlockUnit>\r\n\t<BlockUnit id=\"Mix\" shader=\"Mix_16f\">\r\n"),
       "block Spare is never used"},
  });
}

TEST(PostprocessCheckTest, UnusedBlocksPassWhenAllowed) {
  // A noblur file keeps the motion blur group that its root no longer uses.
  std::string noblur = planted(sample(), "<BlockReference id=\"blur\" ref=\"MotionBlur\"/>",
                               "<BlockReference id=\"blur\" ref=\"ToneMap_to_8\"/>");
  EXPECT_TRUE(mentions(checkPostprocessFile(noblur, "Test", false), "block MotionBlur is never used"));
  std::vector<std::string> problems = checkPostprocessFile(noblur, "Test", true);
  EXPECT_TRUE(problems.empty()) << joined(problems);
}

std::string noBlurOf(const std::string& full) {
  std::string s = planted(full, "<BlockReference id=\"blur\" ref=\"MotionBlur\"/>",
                          "<BlockReference id=\"toneMap\" ref=\"ToneMap_to_8\"/>");
  s = planted(s, "to=\"blur.in\"", "to=\"toneMap.in\"");
  s = planted(s, "to=\"blur.lum\"", "to=\"toneMap.lum\"");
  return planted(s, "from=\"blur.out\"", "from=\"toneMap.out\"");
}

TEST(PostprocessCheckTest, NoBlurPartnerWithTheSubstitutionPasses) {
  const std::string full = sample();
  const std::string noblur = noBlurOf(full);
  std::vector<std::string> problems = checkNoBlurPartner(full, noblur, "blur");
  EXPECT_TRUE(problems.empty()) << joined(problems);
  problems = checkPostprocessFile(noblur, "Test", true);
  EXPECT_TRUE(problems.empty()) << joined(problems);
  EXPECT_EQ(static_cast<long>(noblur.size()) - static_cast<long>(full.size()), 14);
}

TEST(PostprocessCheckTest, FindsNoBlurPartnerFaults) {
  const std::string full = sample();
  const std::string noblur = noBlurOf(full);
  struct Case {
    const char* name;
    std::string full, noblur, ref;
    const char* expected;
  };
  const Case cases[] = {
      {"identical files", full, full, "blur", "was expected"},
      {"another line changed", full, planted(noblur, "Mix_16f", "Add_16f"), "blur", "line 8:"},
      {"one connection left out", full, planted(noblur, "to=\"toneMap.lum\"", "to=\"blur.lum\""), "blur",
       "was expected"},
      {"wrong new id", full, planted(noblur, "id=\"toneMap\" ref=\"ToneMap_to_8\"", "id=\"tone\" ref=\"ToneMap_to_8\""),
       "blur", "was expected"},
      {"line added", full, noblur + "\r\n", "blur", "lines"},
      {"other reference id", full, noblur, "motionBlur", "0 references to MotionBlur"},
      {"only two connections use it", planted(full, "from=\"in\" to=\"blur.lum\"", "from=\"in\" to=\"glow.lum\""),
       planted(noblur, "from=\"in\" to=\"toneMap.lum\"", "from=\"in\" to=\"glow.lum\""), "blur",
       "2 connections use the motion blur"},
      {"motion blur used outside the root",
       planted(full, "from=\"smear.out\" to=\"toneMap.in\"", "from=\"smear.out\" to=\"blur.in\""),
       planted(noblur, "from=\"smear.out\" to=\"toneMap.in\"", "from=\"smear.out\" to=\"toneMap.in\""), "blur",
       "was expected"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> problems = checkNoBlurPartner(c.full, c.noblur, c.ref);
    EXPECT_TRUE(mentions(problems, c.expected))
        << c.name << ": expected \"" << c.expected << "\", got:" << joined(problems);
  }
}

}  // namespace
