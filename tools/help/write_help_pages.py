#!/usr/bin/env python3
"""Writes the program's help pages, one folder per interface language, into
the data folder: "Help.htm" (contents on the left, topics in the frame
"Help_right", and the hidden frame that loads the program's "ContextHelp.htm"
to pick the topic), "Contents.htm", one page per topic the program names and
the quick reference "References/References.htm"; and the news pages
"<CODE>News.html" into the news folder.

    tools/help/write_help_pages.py assets/Help assets/News
"""
import html
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from help_texts import LANGUAGES  # noqa: E402
import reference_texts as ref  # noqa: E402

TOPICS = ["Introduction", "Entrance", "ProgSettings", "NewInstrument", "CompositionProp", "GraceNoteProp",
          "TextProp"]

STYLE = """body { font-family: sans-serif; font-size: 14px; margin: 12px 18px; color: #222; }
h1 { font-size: 20px; border-bottom: 1px solid #99a; padding-bottom: 4px; }
h2 { font-size: 16px; margin-top: 18px; }
table { border-collapse: collapse; margin: 6px 0; }
td, th { border: 1px solid #bbc; padding: 3px 8px; vertical-align: top; text-align: left; }
th { background: #eef; }
kbd { font-family: monospace; background: #f4f4f4; border: 1px solid #ccc; border-radius: 3px; padding: 0 3px; }
.contents a { display: block; padding: 3px 0; }
.next { margin-top: 24px; font-size: 12px; }
"""


def page(lang, title, body, css="help.css"):
    code = lang if isinstance(lang, str) else lang["code"]
    return ("<!DOCTYPE html>\n<html lang=\"%s\">\n<head>\n<meta charset=\"utf-8\">\n<title>%s</title>\n"
            "<link rel=\"stylesheet\" href=\"%s\">\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (code, html.escape(title), css, body))


def frameset(lang):
    return ("<!DOCTYPE html>\n<html lang=\"%s\">\n<head>\n<meta charset=\"utf-8\">\n<title>%s</title>\n</head>\n"
            "<frameset cols=\"240,*\">\n"
            "  <frame src=\"Contents.htm\" name=\"Help_left\">\n"
            "  <frameset rows=\"*,0\" frameborder=\"0\">\n"
            "    <frame src=\"Introduction.htm\" name=\"Help_right\">\n"
            "    <frame src=\"ContextHelp.htm\" name=\"Help_context\" noresize>\n"
            "  </frameset>\n"
            "</frameset>\n</html>\n" % (lang["code"], html.escape(lang["title"])))


def contents(lang):
    links = "\n".join("<a href=\"%s.htm\" target=\"Help_right\">%s</a>" % (t, html.escape(lang["pages"][t][0]))
                      for t in TOPICS)
    return page(lang, lang["title"], "<h1>%s</h1>\n<div class=\"contents\">\n%s\n</div>" %
                (html.escape(lang["title"]), links))


def topic(lang, name):
    title, body = lang["pages"][name]
    back = "<p class=\"next\"><a href=\"Introduction.htm\">%s</a></p>" % html.escape(lang["home"])
    return page(lang, title, "<h1>%s</h1>\n%s\n%s" % (html.escape(title), body.strip(), back))


# The reference window's browser reads the table attributes, not all of the
# style sheet's table rules.
TABLE = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"


def key_table(words, rows, index):
    head = "<tr><th width=\"38%%\">%s</th><th>%s</th></tr>\n" % (html.escape(words["keys"]), html.escape(words["action"]))
    body = "\n".join("<tr><td>%s</td><td>%s</td></tr>" % (
        " ".join("<kbd>%s</kbd>" % html.escape(k) for k in ([row[0]] if isinstance(row[0], str) else row[0])),
        html.escape(row[index])) for row in rows)
    return "%s\n%s%s\n</table>" % (TABLE, head, body)


def reference(lang):
    words = ref.LANG[lang["folder"]]
    i = words["index"]
    parts = ["<h1>%s</h1>" % html.escape(words["title"]), "<p>%s</p>" % words["intro"],
             "<h2>%s</h2>" % html.escape(words["main"]), key_table(words, ref.MAIN_KEYS, i),
             "<h2>%s</h2>" % html.escape(words["tool_pages"]), key_table(words, ref.TOOL_PAGE_KEYS, i),
             "<h2>%s</h2>" % html.escape(words["score"]), "<p>%s</p>" % html.escape(words["score_note"]),
             key_table(words, ref.SCORE_KEYS, i),
             "<h2>%s</h2>" % html.escape(words["palettes"]),
             "%s\n%s\n</table>" % (TABLE, "\n".join("<tr><th width=\"20%%\">%s</th><td>%s</td></tr>" % (
                 html.escape(n), html.escape(t)) for n, t in words["pages"])),
             "<h2>%s</h2>" % html.escape(words["mouse"]),
             "%s\n%s\n</table>" % (TABLE, "\n".join("<tr><td width=\"20%%\">%s</td><td>%s</td></tr>" % (
                 html.escape(n), html.escape(t)) for n, t in words["mouse_rows"])),
             "<h2>%s</h2>" % html.escape(words["views"]), "<p>%s</p>" % words["views_text"]]
    return page(lang, words["title"], "\n".join(parts), css="../help.css")


def news(code):
    lang, title, sections = ref.NEWS[code]
    body = ["<h1>%s</h1>" % html.escape(title)]
    for heading, items in sections:
        body.append("<h2>%s</h2>\n<ul>\n%s\n</ul>" % (html.escape(heading), "\n".join("<li>%s</li>" % i for i in items)))
    return page(lang, title, "\n".join(body), css="news.css")


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def main():
    root = sys.argv[1]
    for lang in LANGUAGES:
        folder = os.path.join(root, lang["folder"])
        os.makedirs(folder, exist_ok=True)
        write(os.path.join(folder, "help.css"), STYLE)
        write(os.path.join(folder, "Help.htm"), frameset(lang))
        write(os.path.join(folder, "Contents.htm"), contents(lang))
        for name in TOPICS:
            write(os.path.join(folder, name + ".htm"), topic(lang, name))
        os.makedirs(os.path.join(folder, "References"), exist_ok=True)
        write(os.path.join(folder, "References", "References.htm"), reference(lang))
    if len(sys.argv) > 2:
        os.makedirs(sys.argv[2], exist_ok=True)
        write(os.path.join(sys.argv[2], "news.css"), STYLE)
        for code in ref.NEWS:
            write(os.path.join(sys.argv[2], code + "News.html"), news(code))


if __name__ == "__main__":
    main()
