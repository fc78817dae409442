// SPDX-License-Identifier: GPL-3.0-or-later
package kodiwerk.viewer;

import java.util.HashMap;
import java.util.Locale;
import java.util.Map;

/**
 * Reads the tags of an HTML text one after the other, text between them and
 * comments skipped. Attribute values may be in double or single quotes or
 * bare; names of tags and attributes are given in lower case.
 */
final class TagReader {

    static final class Tag {
        /** "applet", "param", "/applet". */
        final String name;
        final Map<String, String> attributes = new HashMap<>();

        Tag(String name) {
            this.name = name;
        }
    }

    private final String text;
    private int at;

    TagReader(String text) {
        this.text = text;
    }

    /** The next tag, or null at the end of the text. */
    Tag next() {
        while (true) {
            int open = text.indexOf('<', at);
            if (open < 0)
                return null;
            if (text.startsWith("<!--", open)) {
                int close = text.indexOf("-->", open + 4);
                at = close < 0 ? text.length() : close + 3;
                continue;
            }
            at = open + 1;
            String name = word();
            if (name.isEmpty())
                continue;
            Tag tag = new Tag(name.toLowerCase(Locale.ROOT));
            readAttributes(tag);
            return tag;
        }
    }

    private void readAttributes(Tag tag) {
        while (true) {
            skipBlanks();
            if (at >= text.length())
                return;
            char c = text.charAt(at);
            if (c == '>') {
                ++at;
                return;
            }
            if (c == '/') {
                ++at;
                continue;
            }
            String key = word();
            if (key.isEmpty()) {
                ++at; // a stray quote or '=': step over it
                continue;
            }
            skipBlanks();
            String value = "";
            if (at < text.length() && text.charAt(at) == '=') {
                ++at;
                skipBlanks();
                value = value();
            }
            tag.attributes.putIfAbsent(key.toLowerCase(Locale.ROOT), value);
        }
    }

    private String value() {
        if (at < text.length() && (text.charAt(at) == '"' || text.charAt(at) == '\'')) {
            char quote = text.charAt(at);
            int close = text.indexOf(quote, at + 1);
            if (close < 0)
                close = text.length();
            String value = text.substring(at + 1, close);
            at = Math.min(close + 1, text.length());
            return value;
        }
        int start = at;
        while (at < text.length() && !Character.isWhitespace(text.charAt(at))
               && text.charAt(at) != '>')
            ++at;
        return text.substring(start, at);
    }

    /** A tag or attribute name; a leading '/' belongs to a closing tag's name. */
    private String word() {
        int start = at;
        while (at < text.length()) {
            char c = text.charAt(at);
            boolean closingSlash = c == '/' && at == start && start > 0 && text.charAt(start - 1) == '<';
            if (!closingSlash && (Character.isWhitespace(c) || c == '>' || c == '=' || c == '/'
                                  || c == '"' || c == '\'' || c == '<'))
                break;
            ++at;
        }
        return text.substring(start, at);
    }

    private void skipBlanks() {
        while (at < text.length() && Character.isWhitespace(text.charAt(at)))
            ++at;
    }
}
