"""The words of the help pages, per interface language."""


def keys(rows):
    return "<table>\n" + "\n".join("<tr><td>%s</td><td>%s</td></tr>" % row for row in rows) + "\n</table>"


def k(*names):
    return " ".join("<kbd>%s</kbd>" % n for n in names)


ENGLISH = {
    "code": "en", "folder": "English", "title": "Notavistra Help", "home": "Back to the introduction",
    "pages": {
        "Introduction": ("Introduction", """
<p>Notavistra writes, plays and prints music scores. A score is kept in a file with the extension
<b>.sfd</b>; it can also be exported as a Standard MIDI file, as MusicXML and as page pictures.</p>
<p>Each open score has a tab of its own in the main window. The tool pages below the menus hold the
notes, symbols and other elements you put into the score with the mouse or the keyboard.</p>
<h2>Where to start</h2>
<ul>
<li><a href="Entrance.htm">The main window, its palettes and keys</a></li>
<li><a href="NewInstrument.htm">A new score and its first instrument</a></li>
<li><a href="CompositionProp.htm">Score properties: page, layout and drum map</a></li>
<li><a href="GraceNoteProp.htm">Grace notes</a></li>
<li><a href="TextProp.htm">Texts and comments</a></li>
<li><a href="ProgSettings.htm">Program settings</a></li>
</ul>
<p>Press <kbd>F1</kbd> in a window to open the page that belongs to it.</p>
"""),
        "Entrance": ("The main window", """
<p>The main window holds the menus and tool bars at the top, the tool pages (palettes) below them, the open
scores as tabs, and the status bar at the bottom. Closed scores come back from <b>File, Reopen</b>.</p>
<h2>Tool pages</h2>
<p>From left to right: <b>Notes</b>, <b>Symbols</b>, <b>Expanded</b>, <b>Expressions</b>, <b>Chords</b>,
<b>Design</b>, <b>Piano</b>, <b>Guitar</b>, <b>Modify</b> and <b>Navigator</b>. A button of a page chooses the
tool; a click in the score puts the element there. The pointer button of a page goes back to selecting.</p>
<h2>Command keys</h2>
""" + keys([
            (k("Ctrl+N"), "new score"), (k("Ctrl+O"), "open"), (k("Ctrl+S"), "save"), (k("Ctrl+P"), "print"),
            (k("Ctrl+Z"), "undo"), (k("Shift+Ctrl+Z"), "redo"), (k("Ctrl+X") + " " + k("Ctrl+C") + " " + k("Ctrl+V"),
                                                                   "cut, copy, paste"),
            (k("Ctrl+A"), "select all"), (k("Ctrl+Q"), "actual size"), (k("Alt+0") + " .. " + k("Alt+9"),
                                                                         "go to an open score"),
            (k("F1"), "this help page"),
        ]) + """
<h2>Choosing a tool page</h2>
""" + keys([
            (k("Alt+N"), "Notes"), (k("Alt+S"), "Symbols"), (k("Alt+E"), "Expanded"), (k("Alt+T"), "Expressions"),
            (k("Alt+C"), "Chords"), (k("Alt+D"), "Design"), (k("Alt+P"), "Piano"), (k("Alt+G"), "Guitar"),
            (k("Alt+M"), "Modify"), (k("Alt+V"), "Navigator"),
        ]) + """
<h2>Keys on the Notes page</h2>
""" + keys([
            (k("Enter") + " then " + k("1") + " .. " + k("7"),
             "insert a note at the cursor: whole, half, quarter, eighth, 16th, 32nd, 64th"),
            (k("Space") + " then " + k("1") + " .. " + k("7"), "insert a rest of that duration"),
            (k("1") + " .. " + k("7"), "change the chosen note or rest to that duration"),
            (k("B") + " / " + k("D") + " / " + k("R"), "flat, sharp, natural (press again for double and back)"),
            (k("U"), "dot, double dot"), (k("L"), "slur up, slur down"),
            (k("C") + " / " + k("M"), "clef, tempo (with Shift: insert it at once)"),
            (k("N") + " / " + k("P"), "the rest becomes a note / the note becomes a rest; Shift+N key signature"),
            (k("J"), "tuplet (press again for more notes)"), (k("T"), "tremolo (press again for more strokes)"),
            (k("O") + " / " + k("S") + " / " + k("V"), "portamento, staccato, grace notes"),
            (k("E"), "eraser"), (k("W"), "reset mode"), (k("Q"), "pointer"),
        ]) + """
<h2>Keys on the Symbols page</h2>
<p>Each letter walks its group; after the last symbol comes the pointer. With Shift the first symbol of
the group is inserted at the cursor.</p>
""" + keys([
            (k("1") + " .. " + k("5"), "fingering"), (k("A"), "accents"), (k("B"), "brackets"),
            (k("C") + " / " + k("D"), "crescendo, diminuendo"), (k("F"), "forte, fortissimo, forte fortissimo"),
            (k("P"), "piano, pianissimo, piano pianissimo"), (k("Z"), "fortepiano, mezzo piano, mezzo forte"),
            (k("S"), "forzando, sforzando, sforzato, extra forzato"), (k("G"), "turns"), (k("H"), "hangs"),
            (k("I"), "arpeggio"), (k("M"), "mordents"), (k("R"), "fermata up, down"), (k("T"), "trill"),
            (k("W"), "reset mode"), (k("Q"), "pointer"),
        ]) + """
<h2>Piano and Design pages</h2>
<p>On the Piano page <kbd>Space</kbd> inserts a rest of the keyboard's duration, and the arrow keys,
<kbd>Home</kbd>, <kbd>End</kbd>, <kbd>Page Up</kbd>, <kbd>Page Down</kbd> and <kbd>Delete</kbd> reach the score
while the keyboard has the focus. On the Design page the letters choose drawing tools: <kbd>C</kbd> comment,
<kbd>E</kbd> ellipse, <kbd>S</kbd> filled ellipse, <kbd>I</kbd> picture, <kbd>L</kbd> line, <kbd>P</kbd> arrow,
<kbd>R</kbd> rectangle, <kbd>N</kbd> filled rectangle, <kbd>T</kbd> text, <kbd>W</kbd> reset mode, <kbd>Q</kbd>
pointer.</p>
<h2>Other pages</h2>
<p><kbd>Enter</kbd> then <kbd>0</kbd> .. <kbd>6</kbd> inserts a note at the cursor's pitch (0 whole .. 6 64th);
<kbd>Space</kbd> then a digit inserts a rest.</p>
"""),
        "ProgSettings": ("Program settings", """
<p>The settings window keeps the program's choices between runs.</p>
<h2>Devices</h2><p>The MIDI input and output. Output 0 is the built-in synthesizer.</p>
<h2>Record</h2><p>The quantisation of recorded notes and the metronome: the length of a click, an accent on
the first beat, and the velocities of the first and the other clicks (0 to 127).</p>
<h2>General</h2><p>Backup copies when saving and how many are kept; automatic saving and its interval; which
notes sound while you work (added with the mouse, pressed on the piano or the guitar, played on the MIDI
device); note hints; automatic effects and dynamics.</p>
"""),
        "NewInstrument": ("New score", """
<p>A new score starts from this window: its title and author, the instrument and its sound, whether it is a
full score, the time signature with its symbol, the tempo, an upbeat and up to four staves with their clef,
key signature and number of voices.</p>
<p>The clef and key buttons open their palettes; the instrument button chooses one of the 128 General MIDI
sounds.</p>
"""),
        "CompositionProp": ("Score properties", """
<p>The properties of the whole score: author, copyright and description; the page (paper size, orientation,
margins, unit and scale); how notes are joined by beams; alignment, spacing and the measures per line; bar
numbers; the tempo, time signature and upbeat; and the drum map, which names each percussion pitch with its
note head and its place on the staff.</p>
"""),
        "GraceNoteProp": ("Grace notes", """
<p>The grace notes of one note: how many (1 to 64), their duration, each one's pitch and accidental, whether
they stand before or after the main note, long or short, and a slur. Click a grace note in the preview or
choose it with the arrow keys, then move it up or down by a step.</p>
"""),
        "TextProp": ("Text properties", """
<p>A text or comment on the page: its lines, font, size, style and colour, and whether it aligns to the notes.
With the music font chosen, a panel of notation characters can be typed into the text.</p>
"""),
    },
}

RUSSIAN = {
    "code": "ru", "folder": "Russian", "title": "Справка Notavistra", "home": "К введению",
    "pages": {
        "Introduction": ("Введение", """
<p>Notavistra служит для записи, проигрывания и печати партитур. Партитура хранится в файле с расширением
<b>.sfd</b>; её можно также экспортировать в Standard MIDI, MusicXML и картинки страниц.</p>
<p>Каждая открытая партитура занимает свою вкладку главного окна. На палитрах под меню находятся ноты,
знаки и другие элементы, которые ставятся в партитуру мышью или с клавиатуры.</p>
<h2>С чего начать</h2>
<ul>
<li><a href="Entrance.htm">Главное окно, палитры и клавиши</a></li>
<li><a href="NewInstrument.htm">Новая партитура и её первый инструмент</a></li>
<li><a href="CompositionProp.htm">Свойства партитуры: страница, вёрстка и карта ударных</a></li>
<li><a href="GraceNoteProp.htm">Форшлаги</a></li>
<li><a href="TextProp.htm">Тексты и комментарии</a></li>
<li><a href="ProgSettings.htm">Настройки программы</a></li>
</ul>
<p>Клавиша <kbd>F1</kbd> в любом окне открывает относящуюся к нему страницу.</p>
"""),
        "Entrance": ("Главное окно", """
<p>Вверху главного окна меню и панели инструментов, под ними палитры, затем вкладки открытых партитур, внизу
строка состояния. Закрытые партитуры снова открываются через <b>Файл, Открыть повторно</b>.</p>
<h2>Палитры</h2>
<p>Слева направо: <b>Ноты</b>, <b>Символы</b>, <b>Дополнительно</b>, <b>Выражения</b>, <b>Аккорды</b>,
<b>Оформление</b>, <b>Фортепиано</b>, <b>Гитара</b>, <b>Правка</b> и <b>Навигатор</b>. Кнопка палитры выбирает
инструмент, щелчок в партитуре ставит элемент. Кнопка-указатель возвращает к выделению.</p>
<h2>Клавиши команд</h2>
""" + keys([
            (k("Ctrl+N"), "новая партитура"), (k("Ctrl+O"), "открыть"), (k("Ctrl+S"), "сохранить"),
            (k("Ctrl+P"), "печать"), (k("Ctrl+Z"), "отменить"), (k("Shift+Ctrl+Z"), "повторить"),
            (k("Ctrl+X") + " " + k("Ctrl+C") + " " + k("Ctrl+V"), "вырезать, копировать, вставить"),
            (k("Ctrl+A"), "выделить всё"), (k("Ctrl+Q"), "реальный размер"),
            (k("Alt+0") + " .. " + k("Alt+9"), "перейти к открытой партитуре"), (k("F1"), "эта страница справки"),
        ]) + """
<h2>Выбор палитры</h2>
""" + keys([
            (k("Alt+N"), "Ноты"), (k("Alt+S"), "Символы"), (k("Alt+E"), "Дополнительно"), (k("Alt+T"), "Выражения"),
            (k("Alt+C"), "Аккорды"), (k("Alt+D"), "Оформление"), (k("Alt+P"), "Фортепиано"), (k("Alt+G"), "Гитара"),
            (k("Alt+M"), "Правка"), (k("Alt+V"), "Навигатор"),
        ]) + """
<h2>Клавиши палитры «Ноты»</h2>
""" + keys([
            (k("Enter") + ", затем " + k("1") + " .. " + k("7"),
             "вставить ноту у курсора: целая, половинная, четверть, восьмая, 1/16, 1/32, 1/64"),
            (k("Space") + ", затем " + k("1") + " .. " + k("7"), "вставить паузу этой длительности"),
            (k("1") + " .. " + k("7"), "сменить длительность выбранной ноты или паузы"),
            (k("B") + " / " + k("D") + " / " + k("R"), "бемоль, диез, бекар (повторное нажатие: двойной и обратно)"),
            (k("U"), "точка, две точки"), (k("L"), "лига вверх, лига вниз"),
            (k("C") + " / " + k("M"), "ключ, темп (с Shift: сразу вставить)"),
            (k("N") + " / " + k("P"), "пауза становится нотой / нота паузой; Shift+N: ключевые знаки"),
            (k("J"), "триоль и другие группы (повторно: больше нот)"), (k("T"), "тремоло (повторно: больше штрихов)"),
            (k("O") + " / " + k("S") + " / " + k("V"), "портаменто, стаккато, форшлаги"),
            (k("E"), "ластик"), (k("W"), "режим сброса"), (k("Q"), "указатель"),
        ]) + """
<h2>Клавиши палитры «Символы»</h2>
<p>Каждая буква перебирает свою группу; после последнего знака снова указатель. С Shift первый знак группы
сразу вставляется у курсора.</p>
""" + keys([
            (k("1") + " .. " + k("5"), "аппликатура"), (k("A"), "акценты"), (k("B"), "скобки"),
            (k("C") + " / " + k("D"), "крещендо, диминуэндо"), (k("F"), "форте, фортиссимо, форте-фортиссимо"),
            (k("P"), "пиано, пианиссимо, пиано-пианиссимо"), (k("Z"), "форте-пиано, меццо-пиано, меццо-форте"),
            (k("S"), "форцандо, сфорцандо, сфорцато, экстра-форцато"), (k("G"), "группетто"), (k("H"), "подвесы"),
            (k("I"), "арпеджио"), (k("M"), "мордент"), (k("R"), "фермата вверх, вниз"), (k("T"), "трель"),
            (k("W"), "режим сброса"), (k("Q"), "указатель"),
        ]) + """
<h2>Палитры «Фортепиано» и «Оформление»</h2>
<p>На палитре «Фортепиано» <kbd>Space</kbd> вставляет паузу длительности клавиатуры, а стрелки, <kbd>Home</kbd>,
<kbd>End</kbd>, <kbd>Page Up</kbd>, <kbd>Page Down</kbd> и <kbd>Delete</kbd> действуют в партитуре, пока фокус у
клавиатуры. На палитре «Оформление» буквы выбирают инструменты рисования: <kbd>C</kbd> комментарий,
<kbd>E</kbd> эллипс, <kbd>S</kbd> закрашенный эллипс, <kbd>I</kbd> картинка, <kbd>L</kbd> линия, <kbd>P</kbd>
стрелка, <kbd>R</kbd> прямоугольник, <kbd>N</kbd> закрашенный прямоугольник, <kbd>T</kbd> текст, <kbd>W</kbd>
режим сброса, <kbd>Q</kbd> указатель.</p>
<h2>Остальные палитры</h2>
<p><kbd>Enter</kbd>, затем <kbd>0</kbd> .. <kbd>6</kbd> вставляет ноту на высоте курсора (0 целая .. 6 1/64);
<kbd>Space</kbd>, затем цифра вставляет паузу.</p>
"""),
        "ProgSettings": ("Настройки программы", """
<p>Окно настроек хранит выбор пользователя между запусками.</p>
<h2>Устройства</h2><p>Вход и выход MIDI. Выход 0 — встроенный синтезатор.</p>
<h2>Запись</h2><p>Квантование записанных нот и метроном: длина щелчка, акцент на первой доле, громкость
первого и остальных щелчков (от 0 до 127).</p>
<h2>Общие</h2><p>Резервные копии при сохранении и их число; автосохранение и его интервал; какие ноты звучат
во время работы (поставленные мышью, нажатые на фортепиано или гитаре, сыгранные на MIDI-устройстве);
подсказки у нот; автоматический расчёт эффектов и динамики.</p>
"""),
        "NewInstrument": ("Новая партитура", """
<p>Новая партитура начинается с этого окна: название и автор, инструмент и его звук, партитура или одна
партия, размер и его знак, темп, затакт и до четырёх нотоносцев с ключом, ключевыми знаками и числом
голосов.</p>
<p>Кнопки ключа и тональности открывают свои палитры; кнопка инструмента выбирает один из 128 звуков
General MIDI.</p>
"""),
        "CompositionProp": ("Свойства партитуры", """
<p>Свойства всей партитуры: автор, авторские права и описание; страница (формат бумаги, ориентация, поля,
единицы и масштаб); группировка нот вязками; выравнивание, интервалы и число тактов в строке; номера тактов;
темп, размер и затакт; карта ударных, где каждой высоте назначены название, головка ноты и место на
нотоносце.</p>
"""),
        "GraceNoteProp": ("Форшлаги", """
<p>Форшлаги одной ноты: их число (от 1 до 64), длительность, высота и знак альтерации каждого, стоят ли они
перед основной нотой или после неё, долгие или короткие, и лига. Щёлкните форшлаг в образце или выберите его
стрелками, затем двигайте вверх и вниз на ступень.</p>
"""),
        "TextProp": ("Свойства текста", """
<p>Текст или комментарий на странице: строки, шрифт, размер, начертание и цвет, и привязка к нотам. Если выбран
нотный шрифт, нотные знаки можно вводить в текст с особой панели.</p>
"""),
    },
}

GERMAN = {
    "code": "de", "folder": "Deutsch", "title": "Notavistra-Hilfe", "home": "Zurück zur Einführung",
    "pages": {
        "Introduction": ("Einführung", """
<p>Notavistra schreibt, spielt und druckt Partituren. Eine Partitur liegt in einer Datei mit der Endung
<b>.sfd</b>; sie lässt sich auch als Standard-MIDI-Datei, als MusicXML und als Seitenbilder exportieren.</p>
<p>Jede offene Partitur hat im Hauptfenster eine eigene Registerkarte. Auf den Werkzeugseiten unter den Menüs
liegen Noten, Zeichen und andere Elemente, die Sie mit der Maus oder der Tastatur in die Partitur setzen.</p>
<h2>Erste Schritte</h2>
<ul>
<li><a href="Entrance.htm">Das Hauptfenster, seine Paletten und Tasten</a></li>
<li><a href="NewInstrument.htm">Eine neue Partitur und ihr erstes Instrument</a></li>
<li><a href="CompositionProp.htm">Eigenschaften der Partitur: Seite, Satz und Schlagzeugbelegung</a></li>
<li><a href="GraceNoteProp.htm">Vorschläge</a></li>
<li><a href="TextProp.htm">Texte und Kommentare</a></li>
<li><a href="ProgSettings.htm">Programmeinstellungen</a></li>
</ul>
<p>Mit <kbd>F1</kbd> öffnet jedes Fenster seine eigene Seite.</p>
"""),
        "Entrance": ("Das Hauptfenster", """
<p>Oben im Hauptfenster stehen Menüs und Symbolleisten, darunter die Werkzeugseiten (Paletten), dann die
Registerkarten der offenen Partituren und unten die Statusleiste. Geschlossene Partituren holt
<b>Datei, Erneut öffnen</b> zurück.</p>
<h2>Werkzeugseiten</h2>
<p>Von links nach rechts: <b>Noten</b>, <b>Symbole</b>, <b>Erweitert</b>, <b>Ausdrücke</b>, <b>Akkorde</b>,
<b>Gestaltung</b>, <b>Klavier</b>, <b>Gitarre</b>, <b>Ändern</b> und <b>Navigator</b>. Eine Schaltfläche wählt das
Werkzeug, ein Klick in die Partitur setzt das Element. Der Zeiger einer Seite kehrt zum Auswählen zurück.</p>
<h2>Befehlstasten</h2>
""" + keys([
            (k("Ctrl+N"), "neue Partitur"), (k("Ctrl+O"), "öffnen"), (k("Ctrl+S"), "speichern"),
            (k("Ctrl+P"), "drucken"), (k("Ctrl+Z"), "rückgängig"), (k("Shift+Ctrl+Z"), "wiederholen"),
            (k("Ctrl+X") + " " + k("Ctrl+C") + " " + k("Ctrl+V"), "ausschneiden, kopieren, einfügen"),
            (k("Ctrl+A"), "alles auswählen"), (k("Ctrl+Q"), "Originalgröße"),
            (k("Alt+0") + " .. " + k("Alt+9"), "zu einer offenen Partitur wechseln"), (k("F1"), "diese Hilfeseite"),
        ]) + """
<h2>Werkzeugseite wählen</h2>
""" + keys([
            (k("Alt+N"), "Noten"), (k("Alt+S"), "Symbole"), (k("Alt+E"), "Erweitert"), (k("Alt+T"), "Ausdrücke"),
            (k("Alt+C"), "Akkorde"), (k("Alt+D"), "Gestaltung"), (k("Alt+P"), "Klavier"), (k("Alt+G"), "Gitarre"),
            (k("Alt+M"), "Ändern"), (k("Alt+V"), "Navigator"),
        ]) + """
<h2>Tasten der Seite „Noten“</h2>
""" + keys([
            (k("Enter") + ", dann " + k("1") + " .. " + k("7"),
             "Note am Cursor einfügen: Ganze, Halbe, Viertel, Achtel, 16tel, 32stel, 64stel"),
            (k("Space") + ", dann " + k("1") + " .. " + k("7"), "Pause dieser Dauer einfügen"),
            (k("1") + " .. " + k("7"), "Dauer der gewählten Note oder Pause ändern"),
            (k("B") + " / " + k("D") + " / " + k("R"), "Be, Kreuz, Auflösungszeichen (nochmals: doppelt und zurück)"),
            (k("U"), "Punkt, Doppelpunkt"), (k("L"), "Bogen oben, Bogen unten"),
            (k("C") + " / " + k("M"), "Schlüssel, Tempo (mit Shift: gleich einfügen)"),
            (k("N") + " / " + k("P"), "die Pause wird Note / die Note wird Pause; Shift+N Tonart"),
            (k("J"), "Triole und andere Gruppen (nochmals: mehr Noten)"), (k("T"), "Tremolo (nochmals: mehr Striche)"),
            (k("O") + " / " + k("S") + " / " + k("V"), "Portamento, Staccato, Vorschläge"),
            (k("E"), "Radierer"), (k("W"), "Rücksetzmodus"), (k("Q"), "Zeiger"),
        ]) + """
<h2>Tasten der Seite „Symbole“</h2>
<p>Jeder Buchstabe geht durch seine Gruppe; nach dem letzten Zeichen kommt der Zeiger. Mit Shift wird das
erste Zeichen der Gruppe gleich am Cursor eingefügt.</p>
""" + keys([
            (k("1") + " .. " + k("5"), "Fingersatz"), (k("A"), "Akzente"), (k("B"), "Klammern"),
            (k("C") + " / " + k("D"), "Crescendo, Diminuendo"), (k("F"), "Forte, Fortissimo, Forte fortissimo"),
            (k("P"), "Piano, Pianissimo, Piano pianissimo"), (k("Z"), "Fortepiano, Mezzopiano, Mezzoforte"),
            (k("S"), "Forzando, Sforzando, Sforzato, Extra forzato"), (k("G"), "Doppelschläge"), (k("H"), "Hänger"),
            (k("I"), "Arpeggio"), (k("M"), "Mordente"), (k("R"), "Fermate oben, unten"), (k("T"), "Triller"),
            (k("W"), "Rücksetzmodus"), (k("Q"), "Zeiger"),
        ]) + """
<h2>Seiten „Klavier“ und „Gestaltung“</h2>
<p>Auf der Seite „Klavier“ fügt <kbd>Space</kbd> eine Pause der Dauer der Tastatur ein; die Pfeiltasten,
<kbd>Home</kbd>, <kbd>End</kbd>, <kbd>Page Up</kbd>, <kbd>Page Down</kbd> und <kbd>Delete</kbd> wirken in der
Partitur, solange die Tastatur den Fokus hat. Auf der Seite „Gestaltung“ wählen die Buchstaben Zeichenwerkzeuge:
<kbd>C</kbd> Kommentar, <kbd>E</kbd> Ellipse, <kbd>S</kbd> gefüllte Ellipse, <kbd>I</kbd> Bild, <kbd>L</kbd> Linie,
<kbd>P</kbd> Pfeil, <kbd>R</kbd> Rechteck, <kbd>N</kbd> gefülltes Rechteck, <kbd>T</kbd> Text, <kbd>W</kbd>
Rücksetzmodus, <kbd>Q</kbd> Zeiger.</p>
<h2>Andere Seiten</h2>
<p><kbd>Enter</kbd>, dann <kbd>0</kbd> .. <kbd>6</kbd> fügt eine Note auf der Höhe des Cursors ein (0 Ganze ..
6 64stel); <kbd>Space</kbd>, dann eine Ziffer fügt eine Pause ein.</p>
"""),
        "ProgSettings": ("Programmeinstellungen", """
<p>Das Einstellungsfenster bewahrt Ihre Wahl zwischen den Sitzungen.</p>
<h2>Geräte</h2><p>MIDI-Eingang und -Ausgang. Ausgang 0 ist der eingebaute Synthesizer.</p>
<h2>Aufnahme</h2><p>Die Quantisierung aufgenommener Noten und das Metronom: Länge eines Klicks, Betonung des
ersten Schlags, Anschlagstärke des ersten und der übrigen Klicks (0 bis 127).</p>
<h2>Allgemein</h2><p>Sicherungskopien beim Speichern und wie viele bleiben; automatisches Speichern und sein
Abstand; welche Noten beim Arbeiten klingen (mit der Maus gesetzt, auf Klavier oder Gitarre gedrückt, auf dem
MIDI-Gerät gespielt); Hinweise an Noten; automatische Effekte und Dynamik.</p>
"""),
        "NewInstrument": ("Neue Partitur", """
<p>Eine neue Partitur beginnt in diesem Fenster: Titel und Autor, das Instrument und sein Klang, ob es eine
Partitur ist, die Taktart mit ihrem Zeichen, das Tempo, ein Auftakt und bis zu vier Systeme mit Schlüssel,
Tonart und Stimmenzahl.</p>
<p>Die Schaltflächen für Schlüssel und Tonart öffnen ihre Paletten; die Instrument-Schaltfläche wählt einen der
128 General-MIDI-Klänge.</p>
"""),
        "CompositionProp": ("Eigenschaften der Partitur", """
<p>Die Eigenschaften der ganzen Partitur: Autor, Copyright und Beschreibung; die Seite (Papierformat, Ausrichtung,
Ränder, Einheit und Maßstab); wie Noten durch Balken verbunden werden; Ausrichtung, Abstände und Takte je Zeile;
Taktnummern; Tempo, Taktart und Auftakt; und die Schlagzeugbelegung, die jeder Schlagzeughöhe einen Namen, einen
Notenkopf und ihren Platz im System gibt.</p>
"""),
        "GraceNoteProp": ("Vorschläge", """
<p>Die Vorschläge einer Note: wie viele (1 bis 64), ihre Dauer, Höhe und Vorzeichen jedes einzelnen, ob sie vor
oder nach der Hauptnote stehen, lang oder kurz, und ein Bogen. Klicken Sie einen Vorschlag in der Vorschau an oder
wählen Sie ihn mit den Pfeiltasten, dann verschieben Sie ihn stufenweise nach oben oder unten.</p>
"""),
        "TextProp": ("Texteigenschaften", """
<p>Ein Text oder Kommentar auf der Seite: seine Zeilen, Schrift, Größe, Stil und Farbe, und ob er sich an den
Noten ausrichtet. Mit der Notenschrift lassen sich Notenzeichen aus einer eigenen Leiste in den Text setzen.</p>
"""),
    },
}

LANGUAGES = [ENGLISH, RUSSIAN, GERMAN]
