// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColMemo/JavaRules.h"

#include "ColMemo/ColorRules.h"

namespace colmemo {

namespace {

// In this order, alphabetical when case is ignored; "String" is the only capitalised one.
const char16_t* const JavaKeywords[] = {
    u"abstract", u"boolean",   u"break",     u"byte",       u"case",         u"catch",
    u"char",     u"class",     u"const",     u"continue",   u"default",      u"do",
    u"double",   u"else",      u"extends",   u"final",      u"finally",      u"float",
    u"for",      u"goto",      u"if",        u"implements", u"import",       u"instanceof",
    u"int",      u"interface", u"long",      u"native",     u"new",          u"null",
    u"package",  u"private",   u"protected", u"public",     u"return",       u"short",
    u"static",   u"String",    u"super",     u"switch",     u"synchronized", u"this",
    u"throws",   u"transient", u"try",       u"void",       u"volatile",     u"while",
};

} // namespace

void AddJavaRules(TDrawRules& rules) {
    // Block comments come first: the first rule's look-back of 20 lines is the one every paint
    // uses, so comments opened up to 19 lines above the window are still found.
    TColorRule& blockComments = rules.Add();
    blockComments.ZOrder = 2;
    blockComments.KeyBegEndLst().push_back(u"/*;*/;");
    blockComments.KeyMaxHeight = 20;
    blockComments.DefKeyColor = clPurple;

    TColorRule& lineComments = rules.Add();
    lineComments.ZOrder = 1;
    lineComments.KeyLineEndLst().push_back(u"//;");
    lineComments.KeyDrawingType = dtBeginLineEnd;
    lineComments.DefKeyColor = clPurple;

    TColorRule& keywords = rules.Add();
    for (const char16_t* keyword : JavaKeywords)
        keywords.Keywords().push_back(keyword);
    keywords.KeyDrawingType = dtKeyShow;
    keywords.KeyCase = true;
    keywords.DefKeyColor = clBlue;

    TColorRule& braces = rules.Add();
    braces.Keywords().push_back(u"{");
    braces.Keywords().push_back(u"}");
    braces.KeyBegEndLst().push_back(u"{;};");
    braces.KeyDrawingType = dtKeyShow;
}

} // namespace colmemo
