#!/usr/bin/env python3
"""Lists the texts lupdate cannot see by itself, as QT_TRANSLATE_NOOP lines.

Widget-free code translates through a named context (base/Translate.h):

    constexpr TTrContext Tr("TConfigLoader");

(or a constant naming the context), or through an older helper such as

    QString Tr(const char* text) { return QCoreApplication::translate(kContext, text); }

and calls Tr("..."). A context declared in a header (TrMain) serves every
file. lupdate only understands literal contexts, so this script finds such
helpers, the context constants and every call with a string literal, and
writes them out for lupdate to read beside src/.

Usage: translation-aliases.py SRC_DIR OUTPUT_FILE
"""

import pathlib
import re
import sys

LITERAL = r'"(?:[^"\\\n]|\\.)*"'
LITERALS = r'(?:%s\s*)+' % LITERAL

CONTEXT_CONSTANT = re.compile(
    r'(?:constexpr|const|static)[\w\s]*?\bchar\s*(?:\*\s*(?:const\s+)?)?(\w+)\s*(?:\[\s*\])?\s*=\s*(%s)\s*;'
    % LITERAL)
HELPER = re.compile(
    r'QString\s+(\w+)\s*\(\s*const\s+char\s*\*\s*(\w+)\s*\)\s*\{\s*'
    r'return\s+QCoreApplication::translate\(\s*(\w+|%s)\s*,\s*\2\s*\)\s*;\s*\}' % LITERAL)
CONTEXT_OBJECT = re.compile(r'\bTTrContext\s+(\w+)\s*[({]\s*(\w+|%s)\s*[)}]' % LITERAL)
DIRECT = re.compile(r'QCoreApplication::translate\(\s*(\w+)\s*,\s*(%s)\s*[,)]' % LITERALS)


def strip_comments(text):
    # Keeps string literals intact while dropping // and /* */ comments.
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if c == '"':
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif c == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        elif text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            out.append(' ')
            i = n if j < 0 else j + 2
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def helpers_of(text):
    """The translation helpers a file declares: name -> literal context."""
    constants = {m.group(1): m.group(2) for m in CONTEXT_CONSTANT.finditer(text)}

    def context_of(token):
        return token if token.startswith('"') else constants.get(token)

    helpers = {}
    for helper in HELPER.finditer(text):
        helpers[helper.group(1)] = context_of(helper.group(3))
    for obj in CONTEXT_OBJECT.finditer(text):
        helpers[obj.group(1)] = context_of(obj.group(2))
    return {name: context for name, context in helpers.items() if context}, context_of


def scan(text, shared):
    local, context_of = helpers_of(text)
    entries = []
    for m in DIRECT.finditer(text):
        context = context_of(m.group(1))
        if context:
            entries.append((context, m.group(2).strip()))
    calls = CONTEXT_OBJECT.sub('', text)  # a declaration is no call
    for name, context in {**shared, **local}.items():
        call = re.compile(r'(?<![\w.>:])%s\(\s*(%s)\s*\)' % (re.escape(name), LITERALS))
        for m in call.finditer(calls):
            entries.append((context, m.group(1).strip()))
    return entries


def main():
    src, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    seen = set()
    lines = ['// Generated for lupdate; not compiled.']
    paths = sorted(list(src.rglob('*.cpp')) + list(src.rglob('*.h')))
    texts = {path: strip_comments(path.read_text(encoding='utf-8')) for path in paths}
    shared = {}
    for path in paths:
        if path.suffix == '.h':
            shared.update(helpers_of(texts[path])[0])
    for path in paths:
        for context, source in scan(texts[path], shared):
            if (context, source) in seen:
                continue
            seen.add((context, source))
            lines.append('QT_TRANSLATE_NOOP(%s, %s)' % (context, source))
    output.write_text('\n'.join(lines) + '\n', encoding='utf-8')
    print('%d texts behind translation helpers' % (len(seen)))


if __name__ == '__main__':
    main()
