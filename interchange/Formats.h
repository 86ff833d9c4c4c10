#pragma once

#include "interchange/Outline.h"

#include <string>

class TextOut;

// The parsers and writers of each format, over the outline (Tarvelle's JSON over the project).
Outline importHtml(const std::string &content, const std::string &elementId, LeftOut &leftOut);
Outline importSitemap(const std::string &content, LeftOut &leftOut);
Outline importHugo(const std::string &content, const std::string &fileName, const std::string &menu,
                   LeftOut &leftOut);
Outline importJekyll(const std::string &content, const std::string &menu, LeftOut &leftOut);
void importJson(const std::string &content, MenuDocument &document, ItemTree &tree);

void exportJson(const MenuDocument &document, const ItemTree &tree, TextOut &out);
std::string exportHugoYaml(const Outline &outline, LeftOut &leftOut);
std::string exportHugoToml(const Outline &outline, LeftOut &leftOut);
std::string exportJekyll(const Outline &outline, LeftOut &leftOut);
