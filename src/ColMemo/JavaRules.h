// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The colour rules of the Java editors: block and line comments purple, keywords blue, braces
// red.

namespace colmemo {

class TDrawRules;

// Appends the four Java rules. Their lists are filled as a form file fills them, without
// compiling: the collection's next PrepareRules (NeedsCompile) compiles them.
void AddJavaRules(TDrawRules& rules);

} // namespace colmemo
