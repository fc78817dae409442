// SPDX-License-Identifier: GPL-3.0-or-later
#include "Datei/Templates.h"

#include <initializer_list>

namespace datei {

namespace {

// One template line: how many tabs indent it, and what follows them.
struct TTemplateLine {
    int Tabs;
    const char* Text; // UTF-8
};

QString Build(std::initializer_list<TTemplateLine> lines) {
    QString text;
    for (const TTemplateLine& line : lines) {
        text += QString(line.Tabs, QLatin1Char('\t'));
        text += QString::fromUtf8(line.Text);
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace

QString ApplicationTemplate() {
    return Build({
        {0, "// Application :  noname.java"},
        {0, ""},
        {0, "// Klassendefinition"},
        {0, "public class noname {"},
        {0, ""},
        {1, "// Haupt-Methode"},
        {1, "public static void main(String[] args) {"},
        {0, ""},
        {2, "// Deklaration"},
        {2, "int i;"},
        {0, ""},
        {2, "// Verarbeitung"},
        {2, "i = 7 + 3;"},
        {0, ""},
        {2, "// Ausgabe"},
        {2, "System.out.println(i);"},
        {0, ""},
        {1, "} // main"},
        {0, ""},
        {0, "} // application"},
    });
}

QString AppletTemplate() {
    return Build({
        {0, "// Applet  :  noname.java"},
        {0, ""},
        {0, "import java.awt.*;"},
        {0, "import java.awt.event.*;"},
        {0, ""},
        {0, "// Klassendefinition"},
        {0, "public class noname extends java.applet.Applet {"},
        {0, ""},
        {1, "// Deklaration"},
        {1, "Button knopf;"},
        {0, ""},
        {1, "// Haupt-Methode"},
        {1, "public void init() {"},
        {0, ""},
        {2, "// Erzeugung und Initalisierung von Objekten"},
        {2, "knopf = new Button (\"Klick mich!\");"},
        {0, ""},
        {2, "// Objekt plazierung im Appletfenster"},
        {2, "add(knopf);"},
        {0, ""},
        {2, "// Ereignisempfänger hinzufügen"},
        {2, "knopf.addActionListener(new ActionListener(){"},
        {3, "public void actionPerformed(ActionEvent e){"},
        {0, ""},
        {4, "// Methode"},
        {4, "knopf.setLabel (\"Danke\");"},
        {0, ""},
        {3, "}"},
        {2, "}); // Ereignis"},
        {0, ""},
        {1, "} // init"},
        {0, ""},
        {0, "} // Applet"},
    });
}

} // namespace datei
