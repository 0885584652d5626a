#!/usr/bin/env python3
"""Writes the program's help pages, one folder per interface language, into
the data folder: "Help.htm" (contents on the left, topics in the frame
"Help_right", and the hidden frame that loads the program's "ContextHelp.htm"
to pick the topic), "Contents.htm" and one page per topic the program names.

    tools/help/write_help_pages.py assets/Help
"""
import html
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from help_texts import LANGUAGES  # noqa: E402

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


def page(lang, title, body):
    return ("<!DOCTYPE html>\n<html lang=\"%s\">\n<head>\n<meta charset=\"utf-8\">\n<title>%s</title>\n"
            "<link rel=\"stylesheet\" href=\"help.css\">\n</head>\n<body>\n%s\n</body>\n</html>\n"
            % (lang["code"], html.escape(title), body))


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


if __name__ == "__main__":
    main()
