"""The words of the quick reference and of the news page, per interface
language. The keys are those the program gives its commands by default."""

# (key or list of keys, English, Russian, German), group by group.
MAIN_KEYS = [
    ("Ctrl+N", "New score", "Новая партитура", "Neue Partitur"),
    ("Ctrl+O", "Open", "Открыть", "Öffnen"),
    ("Ctrl+S", "Save", "Сохранить", "Speichern"),
    ("Ctrl+P", "Print", "Печать", "Drucken"),
    ("Ctrl+Z", "Undo", "Отменить", "Rückgängig"),
    ("Ctrl+Shift+Z", "Redo", "Повторить", "Wiederholen"),
    ("Ctrl+X", "Cut", "Вырезать", "Ausschneiden"),
    ("Ctrl+C", "Copy", "Копировать", "Kopieren"),
    ("Ctrl+V", "Paste", "Вставить", "Einfügen"),
    ("Ctrl+I", "Zoom in", "Увеличить", "Vergrößern"),
    ("Ctrl+U", "Zoom out", "Уменьшить", "Verkleinern"),
    ("Ctrl+Q", "Actual size", "Реальный размер", "Originalgröße"),
    ("Ctrl+A", "Select the symbols of the row", "Выделить символы строки", "Symbole der Zeile auswählen"),
    (["Alt+%d" % n for n in (1, 2, 3, 4, 5, 6, 7, 8, 9, 0)], "Go to score tab 1 .. 10", "Перейти к вкладке партитуры 1 .. 10",
     "Zur Partitur-Registerkarte 1 .. 10"),
    ("F1", "Help on the window", "Справка по окну", "Hilfe zum Fenster"),
]
TOOL_PAGE_KEYS = [
    ("Alt+N", "Notes page", "Страница «Ноты»", "Seite „Noten“"),
    ("Alt+S", "Symbols page", "Страница «Символы»", "Seite „Symbole“"),
    ("Alt+E", "Expanded page", "Страница «Дополнительно»", "Seite „Erweitert“"),
    ("Alt+T", "Expressions page", "Страница «Выражения»", "Seite „Ausdrücke“"),
    ("Alt+C", "Chords page", "Страница «Аккорды»", "Seite „Akkorde“"),
    ("Alt+D", "Design page", "Страница «Оформление»", "Seite „Gestaltung“"),
    ("Alt+P", "Piano page", "Страница «Фортепиано»", "Seite „Klavier“"),
    ("Alt+G", "Guitar page", "Страница «Гитара»", "Seite „Gitarre“"),
    ("Alt+M", "Modify page", "Страница «Правка»", "Seite „Ändern“"),
    ("Alt+V", "Navigator page", "Страница «Навигатор»", "Seite „Navigator“"),
]

SCORE_KEYS = [
    ("Left", "Cursor to the event before", "Курсор на событие назад", "Cursor zum vorigen Ereignis"),
    ("Right", "Cursor to the event after", "Курсор на событие вперёд", "Cursor zum nächsten Ereignis"),
    ("Shift+Left", "Select to the event before", "Выделить до события назад", "Bis zum vorigen Ereignis auswählen"),
    ("Shift+Right", "Select to the event after", "Выделить до события вперёд", "Bis zum nächsten Ereignis auswählen"),
    ("Up", "Cursor to the row above", "Курсор на строку выше", "Cursor zur Zeile darüber"),
    ("Down", "Cursor to the row below", "Курсор на строку ниже", "Cursor zur Zeile darunter"),
    ("Ctrl+Alt+Up", "Cursor pitch up", "Высота курсора выше", "Cursorhöhe höher"),
    ("Ctrl+Alt+Down", "Cursor pitch down", "Высота курсора ниже", "Cursorhöhe tiefer"),
    ("Home", "Start of the system", "Начало системы", "Anfang des Systems"),
    ("End", "End of the system", "Конец системы", "Ende des Systems"),
    ("Ctrl+Home", "Start of the page", "Начало страницы", "Anfang der Seite"),
    ("Ctrl+End", "End of the page", "Конец страницы", "Ende der Seite"),
    ("PgUp", "Previous page", "Предыдущая страница", "Vorige Seite"),
    ("PgDown", "Next page", "Следующая страница", "Nächste Seite"),
    ("Ctrl+PgUp", "First page", "Первая страница", "Erste Seite"),
    ("Ctrl+PgDown", "Last page", "Последняя страница", "Letzte Seite"),
    ("Del", "Delete the selection", "Удалить выделенное", "Auswahl löschen"),
    ("Backspace", "Delete before the cursor", "Удалить перед курсором", "Vor dem Cursor löschen"),
    ("Ctrl+Left", "Move the selection to the event before", "Переместить выделенное на событие назад",
     "Auswahl zum vorigen Ereignis verschieben"),
    ("Ctrl+Right", "Move the selection to the event after", "Переместить выделенное на событие вперёд",
     "Auswahl zum nächsten Ereignis verschieben"),
    ("Ctrl+Shift+Left", "Nudge the selection left", "Сдвинуть выделенное влево", "Auswahl nach links rücken"),
    ("Ctrl+Shift+Right", "Nudge the selection right", "Сдвинуть выделенное вправо", "Auswahl nach rechts rücken"),
    ("Ctrl+Up", "Selection a step up", "Выделенное на ступень выше", "Auswahl eine Stufe höher"),
    ("Ctrl+Down", "Selection a step down", "Выделенное на ступень ниже", "Auswahl eine Stufe tiefer"),
    ("Alt+Left", "Selection shorter", "Выделенное короче", "Auswahl kürzer"),
    ("Alt+Right", "Selection longer", "Выделенное длиннее", "Auswahl länger"),
    ("Alt+Shift+Left", "Shorten a line or hairpin", "Укоротить линию или вилку", "Linie oder Gabel kürzen"),
    ("Alt+Shift+Right", "Lengthen a line or hairpin", "Удлинить линию или вилку", "Linie oder Gabel verlängern"),
    ("Alt+Up", "Reshape back", "Вернуть форму", "Form zurücksetzen"),
    ("Alt+Down", "Reshape on", "Изменить форму", "Form ändern"),
    ("Shift+Up", "Stems up", "Штили вверх", "Hälse nach oben"),
    ("Shift+Down", "Stems down", "Штили вниз", "Hälse nach unten"),
    ("Ctrl+Shift+Up", "Move the row up", "Переместить строку вверх", "Zeile nach oben"),
    ("Ctrl+Shift+Down", "Move the row down", "Переместить строку вниз", "Zeile nach unten"),
    ("Num +", "Velocity up", "Громкость выше", "Anschlagstärke höher"),
    ("Num -", "Velocity down", "Громкость ниже", "Anschlagstärke tiefer"),
]

LANG = {
    "English": {
        "title": "Quick reference",
        "index": 1,
        "intro": "The keys, tools and mouse actions of Notavistra on one page. The full help is under "
                 "<b>Help, Contents</b>.",
        "keys": "Key", "action": "Action",
        "main": "Main window", "tool_pages": "Tool pages", "score": "Score",
        "score_note": "The score keys work while the score has the keyboard focus.",
        "palettes": "The tool pages",
        "pages": [
            ("Notes", "Notes and rests from the breve to the 64th, dots, accidentals, ties, clefs, key and "
                      "time signatures, tuplets and tremolos. Choose a button, then click in the score."),
            ("Symbols", "Articulations, ornaments, dynamics, hairpins, repeats, brackets and the barré."),
            ("Expanded", "The symbol library in folding groups: dynamics, accents, fermatas, string and bend "
                         "symbols, and your own saved symbols."),
            ("Expressions", "Tempo and dynamic terms from the term library."),
            ("Chords", "The chord builder: root, kind and additions make a chord name; the chord strip "
                       "holds the chord library."),
            ("Design", "Page objects: texts, comments, lines, arrows, rectangles, ellipses and pictures."),
            ("Piano", "A keyboard: a key writes a note at the cursor and sounds it."),
            ("Guitar", "A fretboard: a fret writes the note or chord at the cursor."),
            ("Modify", "Moves, spacing, alignment, joining and splitting of the selection; the buttons "
                       "repeat while held."),
            ("Navigator", "The page in miniature; a click goes to the bar under it."),
        ],
        "mouse": "Mouse on the score",
        "mouse_rows": [
            ("Click", "With a tool chosen: puts the element there. With the pointer: selects the element."),
            ("Shift+click", "Adds to the selection."),
            ("Drag", "Moves the selected page objects; a drag over empty space selects with a frame."),
            ("Double click", "Opens the element's properties."),
            ("Wheel", "Scrolls the page; over the tracks grid it steps the note value."),
        ],
        "views": "Piano roll and velocity view",
        "views_text": "<b>View, Piano roll</b> and <b>View, Velocity</b> show the active row below the score. "
                      "In the piano roll each note shows its notated bar over its performed one; a click "
                      "selects a note (Shift: a stretch, Ctrl: one more), and the panel's buttons change "
                      "the performed length and the play offset. With a note length chosen, a click places a "
                      "new note. In the velocity view each note is a bar: a click selects, Alt+click sets "
                      "the velocity at that height, and the buttons step the selected velocities up or down "
                      "or lay them on a straight ramp.",
    },
    "Russian": {
        "title": "Краткий справочник",
        "index": 2,
        "intro": "Клавиши, инструменты и действия мышью Notavistra на одной странице. Полная справка — "
                 "в меню <b>Справка, Содержание</b>.",
        "keys": "Клавиши", "action": "Действие",
        "main": "Главное окно", "tool_pages": "Страницы инструментов", "score": "Партитура",
        "score_note": "Клавиши партитуры действуют, когда фокус клавиатуры у партитуры.",
        "palettes": "Страницы инструментов",
        "pages": [
            ("Ноты", "Ноты и паузы от бревиса до 1/64, точки, знаки альтерации, лиги, ключи, ключевые знаки "
                     "и размеры, дуоли и тремоло. Выберите кнопку и щёлкните в партитуре."),
            ("Символы", "Штрихи, мелизмы, динамика, вилки, повторы, скобки и баррэ."),
            ("Дополнительно", "Библиотека символов в сворачиваемых группах: динамика, акценты, ферматы, "
                              "струнные символы и бенды, а также ваши сохранённые символы."),
            ("Выражения", "Термины темпа и динамики из библиотеки терминов."),
            ("Аккорды", "Построитель аккордов: основной тон, вид и добавления образуют название аккорда; "
                        "полоса аккордов содержит библиотеку аккордов."),
            ("Оформление", "Объекты страницы: тексты, комментарии, линии, стрелки, прямоугольники, эллипсы "
                           "и изображения."),
            ("Фортепиано", "Клавиатура: клавиша записывает ноту у курсора и озвучивает её."),
            ("Гитара", "Гриф: лад записывает ноту или аккорд у курсора."),
            ("Изменение", "Перемещение, интервалы, выравнивание, объединение и разделение выделенного; "
                          "кнопки повторяют действие, пока их держат."),
            ("Навигатор", "Страница в миниатюре; щелчок переходит к такту под ним."),
        ],
        "mouse": "Мышь в партитуре",
        "mouse_rows": [
            ("Щелчок", "С выбранным инструментом — ставит элемент. С указателем — выделяет элемент."),
            ("Shift+щелчок", "Добавляет к выделению."),
            ("Перетаскивание", "Перемещает выделенные объекты страницы; на пустом месте выделяет рамкой."),
            ("Двойной щелчок", "Открывает свойства элемента."),
            ("Колесо", "Прокручивает страницу; над сеткой дорожек меняет длительность."),
        ],
        "views": "Пианоролл и громкость нот",
        "views_text": "<b>Вид, Пианоролл</b> и <b>Вид, Громкость</b> показывают активную строку под "
                      "партитурой. В пианоролле у каждой ноты над записанной полосой видна исполняемая; "
                      "щелчок выделяет ноту (Shift — отрезок, Ctrl — ещё одну), кнопки панели меняют "
                      "исполняемую длительность и сдвиг. Если выбрана длительность, щелчок ставит новую "
                      "ноту. В окне громкости каждая нота — столбик: щелчок выделяет, Alt+щелчок задаёт "
                      "громкость по высоте, кнопки повышают или понижают громкость выделенных нот или "
                      "выравнивают её по прямой.",
    },
    "Deutsch": {
        "title": "Kurzreferenz",
        "index": 3,
        "intro": "Die Tasten, Werkzeuge und Mausaktionen von Notavistra auf einer Seite. Die vollständige "
                 "Hilfe steht unter <b>Hilfe, Inhalt</b>.",
        "keys": "Taste", "action": "Aktion",
        "main": "Hauptfenster", "tool_pages": "Werkzeugseiten", "score": "Partitur",
        "score_note": "Die Partiturtasten wirken, solange die Partitur den Tastaturfokus hat.",
        "palettes": "Die Werkzeugseiten",
        "pages": [
            ("Noten", "Noten und Pausen von der Brevis bis zur 64tel, Punkte, Vorzeichen, Haltebögen, "
                      "Schlüssel, Tonarten und Taktarten, N-tolen und Tremoli. Knopf wählen, dann in die "
                      "Partitur klicken."),
            ("Symbole", "Artikulation, Verzierungen, Dynamik, Gabeln, Wiederholungen, Klammern und Barré."),
            ("Erweitert", "Die Symbolbibliothek in aufklappbaren Gruppen: Dynamik, Akzente, Fermaten, "
                          "Streicher- und Bend-Symbole sowie Ihre gespeicherten Symbole."),
            ("Ausdrücke", "Tempo- und Dynamikbegriffe aus der Begriffsbibliothek."),
            ("Akkorde", "Der Akkordbaukasten: Grundton, Art und Zusätze ergeben den Akkordnamen; die "
                        "Akkordleiste enthält die Akkordbibliothek."),
            ("Gestaltung", "Seitenobjekte: Texte, Kommentare, Linien, Pfeile, Rechtecke, Ellipsen und Bilder."),
            ("Klavier", "Eine Klaviatur: eine Taste schreibt eine Note am Cursor und lässt sie klingen."),
            ("Gitarre", "Ein Griffbrett: ein Bund schreibt die Note oder den Akkord am Cursor."),
            ("Ändern", "Verschieben, Abstände, Ausrichten, Verbinden und Teilen der Auswahl; die Knöpfe "
                       "wiederholen, solange sie gehalten werden."),
            ("Navigator", "Die Seite in Miniatur; ein Klick springt zum Takt darunter."),
        ],
        "mouse": "Maus in der Partitur",
        "mouse_rows": [
            ("Klick", "Mit gewähltem Werkzeug: setzt das Element. Mit dem Zeiger: wählt das Element aus."),
            ("Umschalt+Klick", "Fügt zur Auswahl hinzu."),
            ("Ziehen", "Verschiebt die ausgewählten Seitenobjekte; auf leerer Fläche wählt ein Rahmen aus."),
            ("Doppelklick", "Öffnet die Eigenschaften des Elements."),
            ("Mausrad", "Blättert die Seite; über dem Spurenraster wechselt es den Notenwert."),
        ],
        "views": "Pianorolle und Anschlagsansicht",
        "views_text": "<b>Ansicht, Pianorolle</b> und <b>Ansicht, Anschlag</b> zeigen die aktive Zeile unter "
                      "der Partitur. In der Pianorolle zeigt jede Note ihren notierten Balken über dem "
                      "gespielten; ein Klick wählt eine Note (Umschalt: einen Abschnitt, Strg: eine weitere), "
                      "die Knöpfe der Leiste ändern die gespielte Länge und den Versatz. Mit gewähltem "
                      "Notenwert setzt ein Klick eine neue Note. In der Anschlagsansicht ist jede Note ein "
                      "Balken: ein Klick wählt aus, Alt+Klick setzt die Anschlagstärke auf diese Höhe, und "
                      "die Knöpfe heben oder senken die gewählten Werte oder legen sie auf eine Gerade.",
    },
}

# What this version does and does not do yet, as the README says.
NEWS = {
    "ENU": ("en", "What is new", [
        ("This version", [
            "Scores are written with the mouse, the computer keyboard, the on-screen piano and fretboard or "
            "a MIDI keyboard, laid out on pages, played through the built-in synthesizer or a MIDI device, "
            "printed and exported as Standard MIDI, MusicXML and page pictures.",
            "Chord, symbol, term and drum-style libraries with their palettes and editors; chords and symbols "
            "saved from the score go into them.",
            "The piano roll and velocity view below the score.",
            "Settings, a first-start dialog for the devices and the interface language, a quick reference "
            "(<b>Help, References</b>) and this page.",
        ]),
        ("Not yet", [
            "Print and the printer set-up ask their values in plain forms.",
            "No tutorial video is shipped, and the program does not play videos.",
            "German interface texts are not complete; the German command stays hidden.",
        ]),
    ]),
    "RUS": ("ru", "Что нового", [
        ("Эта версия", [
            "Партитуры набираются мышью, клавиатурой компьютера, экранными фортепиано и грифом или "
            "MIDI-клавиатурой, раскладываются по страницам, играются встроенным синтезатором или через "
            "MIDI-устройство, печатаются и экспортируются в Standard MIDI, MusicXML и изображения страниц.",
            "Библиотеки аккордов, символов, терминов и стилей ударных с их палитрами и редакторами; аккорды "
            "и символы, сохранённые из партитуры, попадают в них.",
            "Пианоролл и окно громкости под партитурой.",
            "Настройки, окно первого запуска для устройств и языка интерфейса, краткий справочник "
            "(<b>Справка, Справочник</b>) и эта страница.",
        ]),
        ("Пока нет", [
            "Печать и настройка принтера спрашивают параметры в простых формах.",
            "Обучающее видео не поставляется, и программа не воспроизводит видео.",
            "Немецкие тексты интерфейса не завершены; команда немецкого языка скрыта.",
        ]),
    ]),
    "DEU": ("de", "Neuigkeiten", [
        ("Diese Version", [
            "Partituren werden mit der Maus, der Computertastatur, Klavier und Griffbrett auf dem Bildschirm "
            "oder einer MIDI-Tastatur geschrieben, auf Seiten gesetzt, über den eingebauten Synthesizer oder "
            "ein MIDI-Gerät gespielt, gedruckt und als Standard MIDI, MusicXML und Seitenbilder exportiert.",
            "Bibliotheken für Akkorde, Symbole, Begriffe und Schlagzeugstile mit Paletten und Editoren; aus der "
            "Partitur gespeicherte Akkorde und Symbole kommen hinein.",
            "Pianorolle und Anschlagsansicht unter der Partitur.",
            "Einstellungen, ein Dialog beim ersten Start für Geräte und Sprache, eine Kurzreferenz "
            "(<b>Hilfe, Kurzreferenz</b>) und diese Seite.",
        ]),
        ("Noch nicht", [
            "Drucken und die Druckereinrichtung fragen ihre Werte in einfachen Formularen ab.",
            "Es wird kein Einführungsvideo mitgeliefert, und das Programm spielt keine Videos ab.",
            "Die deutschen Oberflächentexte sind unvollständig; der Befehl für Deutsch bleibt verborgen.",
        ]),
    ]),
}
