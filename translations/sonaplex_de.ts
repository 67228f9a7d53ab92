<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Analysis</name>
    <message>
        <source>%1 channels</source>
        <translation>%1 Kanäle</translation>
    </message>
    <message>
        <source>Ogg Vorbis</source>
        <translation>Ogg Vorbis</translation>
    </message>
    <message>
        <source>not WAV</source>
        <translation>kein WAV</translation>
    </message>
    <message>
        <source>%1 kbps</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source> VBR</source>
        <translation> VBR</translation>
    </message>
    <message>
        <source> CBR</source>
        <translation> CBR</translation>
    </message>
    <message>
        <source>loops %1 to %2</source>
        <translation>Schleife %1 bis %2</translation>
    </message>
    <message>
        <source>loops from %1</source>
        <translation>Schleife ab %1</translation>
    </message>
    <message>
        <source>32-bit float</source>
        <translation>32-Bit-Gleitkomma</translation>
    </message>
    <message>
        <source>64-bit float</source>
        <translation>64-Bit-Gleitkomma</translation>
    </message>
    <message>
        <source>IMA ADPCM</source>
        <translation>IMA ADPCM</translation>
    </message>
    <message>
        <source>MS ADPCM</source>
        <translation>MS ADPCM</translation>
    </message>
    <message>
        <source>GSM 6.10</source>
        <translation>GSM 6.10</translation>
    </message>
    <message>
        <source>G.721 ADPCM</source>
        <translation>G.721 ADPCM</translation>
    </message>
    <message>
        <source>MPEG audio</source>
        <translation>MPEG-Audio</translation>
    </message>
    <message>
        <source>MIDI format %1</source>
        <translation>MIDI-Format %1</translation>
    </message>
    <message>
        <source>%1 module</source>
        <translation>%1-Modul</translation>
    </message>
    <message>
        <source>%1 Hz %2</source>
        <translation>%1 Hz %2</translation>
    </message>
    <message>
        <source>%1 Hz %2 %3</source>
        <translation>%1 Hz %2 %3</translation>
    </message>
    <message>
        <source>1 channel</source>
        <translation>1 Kanal</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>1 General MIDI instrument</source>
        <translation>1 General-MIDI-Instrument</translation>
    </message>
    <message>
        <source>%1 General MIDI instruments</source>
        <translation>%1 General-MIDI-Instrumente</translation>
    </message>
    <message>
        <source> and drums</source>
        <translation> und Schlagzeug</translation>
    </message>
    <message>
        <source>1 track</source>
        <translation>1 Spur</translation>
    </message>
    <message>
        <source>%1 tracks</source>
        <translation>%1 Spuren</translation>
    </message>
    <message>
        <source>game: %1; replacement: %2</source>
        <translation>Spiel: %1; Ersatz: %2</translation>
    </message>
    <message>
        <source>%1 is not a sound file Sonaplex knows (%2)</source>
        <translation>%1 ist keine Tondatei, die Sonaplex kennt (%2)</translation>
    </message>
    <message>
        <source>wave, MIDI, Ogg Vorbis, Opus, FLAC, MP3 or a tracker module</source>
        <translation>Wave, MIDI, Ogg Vorbis, Opus, FLAC, MP3 oder ein Tracker-Modul</translation>
    </message>
    <message>
        <source>%1 holds no sound</source>
        <translation>%1 enthält keinen Ton</translation>
    </message>
    <message>
        <source>%1 holds no sound that can be played</source>
        <translation>%1 enthält keinen abspielbaren Ton</translation>
    </message>
    <message>
        <source>mono</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>stereo</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>8-bit</source>
        <translation>8 Bit</translation>
    </message>
    <message>
        <source>16-bit</source>
        <translation>16 Bit</translation>
    </message>
    <message>
        <source>24-bit</source>
        <translation>24 Bit</translation>
    </message>
    <message>
        <source>32-bit</source>
        <translation>32 Bit</translation>
    </message>
    <message>
        <source>compressed</source>
        <translation>komprimiert</translation>
    </message>
    <message>
        <source>its loop tags point past its end: they are not used</source>
        <translation>seine Schleifen-Tags zeigen hinter sein Ende: Sie werden nicht verwendet</translation>
    </message>
</context>
<context>
    <name>AudioFile</name>
    <message>
        <source>it has %1 channels, more than the %2 sound cards play</source>
        <translation>sie hat %1 Kanäle, mehr als die %2, die Soundkarten abspielen</translation>
    </message>
    <message>
        <source>an </source>
        <translation>eine </translation>
    </message>
    <message>
        <source>%1 is not %2 file that can be played.</source>
        <translation>%1 ist keine abspielbare %2-Datei.</translation>
    </message>
    <message>
        <source>%1 holds %2, not the %3 its name says: a game would not read it.</source>
        <translation>%1 enthält %2, nicht das %3, das ihr Name angibt: Ein Spiel würde sie nicht lesen.</translation>
    </message>
    <message>
        <source>an Ogg stream</source>
        <translation>einen Ogg-Datenstrom</translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation>%1-Datei</translation>
    </message>
    <message>
        <source>it holds no Opus stream</source>
        <translation>sie enthält keinen Opus-Datenstrom</translation>
    </message>
    <message>
        <source>it holds FLAC in Ogg, which Sonaplex does not read (a .flac file is read)</source>
        <translation>sie enthält FLAC in Ogg, das Sonaplex nicht liest (eine .flac-Datei wird gelesen)</translation>
    </message>
    <message>
        <source>its sample rate (%1 Hz) is outside what sound cards play (%2 to %3 Hz)</source>
        <translation>ihre Abtastrate (%1 Hz) liegt außerhalb dessen, was Soundkarten abspielen (%2 bis %3 Hz)</translation>
    </message>
    <message>
        <source>%1 is not a sound file that can be played.</source>
        <translation>%1 ist keine abspielbare Tondatei.</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a file that can be played.</source>
        <translation>%1 ist keine abspielbare Datei.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation>%1 kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation>%1 ist leer.</translation>
    </message>
    <message>
        <source>%1 is larger than any tracker module (%2 MB).</source>
        <translation>%1 ist größer als jedes Tracker-Modul (%2 MB).</translation>
    </message>
    <message>
        <source>%1 cannot be played: %2.</source>
        <translation>%1 kann nicht abgespielt werden: %2.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is not %2 file that can be played (%3).</source>
        <translation>%1 ist keine abspielbare %2-Datei (%3).</translation>
    </message>
    <message>
        <source>%1 holds no sound.</source>
        <translation>%1 enthält keinen Ton.</translation>
    </message>
    <message>
        <source>%1 cannot be played: its sample rate (%2 Hz) is outside what sound cards play (%3 to %4 Hz).</source>
        <translation>%1 kann nicht abgespielt werden: Ihre Abtastrate (%2 Hz) liegt außerhalb dessen, was Soundkarten abspielen (%3 bis %4 Hz).</translation>
    </message>
    <message>
        <source>%1 cannot be played: it claims to last %2 hours, more than its %3 bytes can hold.</source>
        <translation>%1 kann nicht abgespielt werden: Sie gibt an, %2 Stunden zu dauern, mehr als ihre %3 Bytes fassen können.</translation>
    </message>
    <message>
        <source>it could not be read to its end (%1)</source>
        <translation>sie konnte nicht bis zum Ende gelesen werden (%1)</translation>
    </message>
</context>
<context>
    <name>BackupManifest</name>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>In %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>BackupSets</name>
    <message>
        <source>%1: the original Sonaplex kept, not the current replacement</source>
        <translation>%1: das Original, das Sonaplex aufbewahrt hat, nicht der aktuelle Ersatz</translation>
    </message>
    <message>
        <source>%1: the current replacement, as its original is no longer kept</source>
        <translation>%1: der aktuelle Ersatz, da sein Original nicht mehr aufbewahrt wird</translation>
    </message>
    <message>
        <source>%1: as it is now; it was changed since Sonaplex replaced it, so it may not be the original</source>
        <translation>%1: wie sie jetzt ist; sie wurde geändert, seit Sonaplex sie ersetzt hat, und ist daher vielleicht nicht das Original</translation>
    </message>
</context>
<context>
    <name>BackupWindow</name>
    <message>
        <source>Sonaplex also keeps every original it replaces; see Restore.</source>
        <translation>Sonaplex bewahrt außerdem jedes Original auf, das es ersetzt; siehe Wiederherstellen.</translation>
    </message>
    <message>
        <source>Selected Files</source>
        <translation>Ausgewählte Dateien</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Complete the backup process.</source>
        <translation>Die Sicherung abschließen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>No game files are selected, so there is nothing to back up.</source>
        <translation>Es sind keine Spieldateien ausgewählt, also gibt es nichts zu sichern.</translation>
    </message>
    <message>
        <source>Backup Error</source>
        <translation>Sicherungsfehler</translation>
    </message>
    <message>
        <source>Backing up the game files…</source>
        <translation>Die Spieldateien werden gesichert…</translation>
    </message>
    <message>
        <source>The backup set will not remember where its files came from: %1</source>
        <translation>Der Sicherungssatz wird sich nicht merken, woher seine Dateien stammen: %1</translation>
    </message>
    <message>
        <source>These files could not be backed up and are not in the backup set:</source>
        <translation>Diese Dateien konnten nicht gesichert werden und sind nicht im Sicherungssatz:</translation>
    </message>
    <message>
        <source>These are in the backup set, but may not survive a crash or a power cut:</source>
        <translation>Diese sind im Sicherungssatz, überstehen aber vielleicht keinen Absturz oder Stromausfall:</translation>
    </message>
    <message>
        <source>No file was backed up, so no backup set was saved.</source>
        <translation>Es wurde keine Datei gesichert, also wurde kein Sicherungssatz gespeichert.</translation>
    </message>
</context>
<context>
    <name>BrowserPane</name>
    <message>
        <source>Display&apos;s the directories on your hard drive. Access a game directory or program directory from this list.</source>
        <translation>Zeigt die Verzeichnisse auf Ihrer Festplatte. Öffnen Sie in dieser Liste ein Spiel- oder Programmverzeichnis.</translation>
    </message>
    <message>
        <source>Choose the game files you wish to replace from this list box.</source>
        <translation>Wählen Sie in dieser Liste die Spieldateien, die Sie ersetzen möchten.</translation>
    </message>
    <message>
        <source>Choose the files you wish to use as replacements from this list box.</source>
        <translation>Wählen Sie in dieser Liste die Dateien, die Sie als Ersatz verwenden möchten.</translation>
    </message>
    <message>
        <source>Select Drive</source>
        <translation>Laufwerk wählen</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Hörprobe</translation>
    </message>
    <message>
        <source>Sounds of this game</source>
        <translation>Töne dieses Spiels</translation>
    </message>
    <message>
        <source>List every sound file of the game shown, in all its folders (%1).</source>
        <translation>Jede Tondatei des angezeigten Spiels in allen seinen Ordnern auflisten (%1).</translation>
    </message>
    <message>
        <source>Game Sounds...</source>
        <translation>Spieltöne...</translation>
    </message>
    <message>
        <source>Please insert a disk or CD.</source>
        <translation>Bitte legen Sie eine Diskette oder CD ein.</translation>
    </message>
    <message>
        <source>Drive Not Ready</source>
        <translation>Laufwerk nicht bereit</translation>
    </message>
    <message>
        <source>Add Game Folder</source>
        <translation>Spielordner hinzufügen</translation>
    </message>
    <message>
        <source>Which folder holds the game?</source>
        <translation>Welcher Ordner enthält das Spiel?</translation>
    </message>
    <message>
        <source>The game&apos;s name:</source>
        <translation>Der Name des Spiels:</translation>
    </message>
    <message>
        <source>The folder could not be added: %1.</source>
        <translation>Der Ordner konnte nicht hinzugefügt werden: %1.</translation>
    </message>
    <message>
        <source>Sample game or program %1 files. NOTE: To repeat a selection you must click on it again.</source>
        <translation>Hörprobe der Spiel- oder Programmdateien (%1). HINWEIS: Um eine Auswahl zu wiederholen, müssen Sie sie erneut anklicken.</translation>
    </message>
    <message>
        <source>Display&apos;s the directories on your hard drive. Access a replacement directory or %1 from this list.</source>
        <translation>Zeigt die Verzeichnisse auf Ihrer Festplatte. Öffnen Sie in dieser Liste ein Ersatzverzeichnis oder %1.</translation>
    </message>
    <message>
        <source>Sample replacement %1 files. NOTE: To repeat a selection you must click on it again.</source>
        <translation>Hörprobe der Ersatzdateien (%1). HINWEIS: Um eine Auswahl zu wiederholen, müssen Sie sie erneut anklicken.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>sonaplex: %1</source>
        <translation>sonaplex: %1</translation>
    </message>
    <message>
        <source>Try &apos;sonaplex --help&apos;.</source>
        <translation>Siehe &apos;sonaplex --help&apos;.</translation>
    </message>
    <message>
        <source>sonaplex: the program folder %1 is not there.</source>
        <translation>sonaplex: Der Programmordner %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>sonaplex: the record of replacements cannot be used: %1</source>
        <translation>sonaplex: Das Protokoll der Ersetzungen ist nicht verwendbar: %1</translation>
    </message>
    <message>
        <source>Reading the game files:</source>
        <translation>Die Spieldateien werden gelesen:</translation>
    </message>
    <message>
        <source>sonaplex: &apos;%1&apos; names more than one game; give its folder:</source>
        <translation>sonaplex: &apos;%1&apos; bezeichnet mehr als ein Spiel; geben Sie seinen Ordner an:</translation>
    </message>
    <message>
        <source>sonaplex: %1 is not a folder, nor an installed game&apos;s name or id, nor a folder where Sonaplex replaced files.</source>
        <translation>sonaplex: %1 ist weder ein Ordner noch Name oder ID eines installierten Spiels noch ein Ordner, in dem Sonaplex Dateien ersetzt hat.</translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation>%1: kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>status takes one folder, or a game&apos;s name or id.</source>
        <translation>status erwartet einen Ordner oder den Namen oder die ID eines Spiels.</translation>
    </message>
    <message>
        <source>No game file under %1 has been replaced.</source>
        <translation>Unter %1 wurde keine Spieldatei ersetzt.</translation>
    </message>
    <message>
        <source>  (by </source>
        <translation>  (durch </translation>
    </message>
    <message>
        <source>The originals and copies Sonaplex keeps take %1.</source>
        <translation>Die Originale und Kopien, die Sonaplex aufbewahrt, belegen %1.</translation>
    </message>
    <message>
        <source>sonaplex: stopped; the files not read are listed as not-read.</source>
        <translation>sonaplex: angehalten; die nicht gelesenen Dateien sind als not-read aufgeführt.</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>%1 does not take %2.</source>
        <translation>%1 nimmt %2 nicht an.</translation>
    </message>
    <message>
        <source>sonaplex: stopped; nothing was changed.</source>
        <translation>sonaplex: angehalten; nichts wurde geändert.</translation>
    </message>
    <message>
        <source>restore takes a folder (or a game&apos;s name or id), then --all or the files to restore.</source>
        <translation>restore erwartet einen Ordner (oder den Namen oder die ID eines Spiels), dann --all oder die wiederherzustellenden Dateien.</translation>
    </message>
    <message>
        <source>restore takes either --all or the files to restore, not both.</source>
        <translation>restore erwartet entweder --all oder die wiederherzustellenden Dateien, nicht beides.</translation>
    </message>
    <message>
        <source>restore %1 needs --all, or the files to restore after it.</source>
        <translation>restore %1 braucht --all oder danach die wiederherzustellenden Dateien.</translation>
    </message>
    <message>
        <source>%1: Sonaplex has not replaced this file under %2</source>
        <translation>%1: Sonaplex hat diese Datei unter %2 nicht ersetzt</translation>
    </message>
    <message>
        <source>%1 was changed since Sonaplex replaced it; what it holds now is kept, so &apos;sonaplex undo&apos; takes this back.</source>
        <translation>%1 wurde geändert, seit Sonaplex sie ersetzt hat; ihr jetziger Inhalt wird aufbewahrt, also nimmt &apos;sonaplex undo&apos; dies zurück.</translation>
    </message>
    <message>
        <source>%1: not put back, because its folder is no longer there (moved or renamed?)</source>
        <translation>%1: nicht wiederhergestellt, weil ihr Ordner nicht mehr vorhanden ist (verschoben oder umbenannt?)</translation>
    </message>
    <message>
        <source>The game files under %1 already hold their originals.</source>
        <translation>Die Spieldateien unter %1 enthalten bereits ihre Originale.</translation>
    </message>
    <message>
        <source>Putting the originals back:</source>
        <translation>Die Originale werden wiederhergestellt:</translation>
    </message>
    <message>
        <source>reapply takes one folder, or a game&apos;s name or id.</source>
        <translation>reapply erwartet einen Ordner oder den Namen oder die ID eines Spiels.</translation>
    </message>
    <message>
        <source>sonaplex: %1 is neither a folder nor an installed game.</source>
        <translation>sonaplex: %1 ist weder ein Ordner noch ein installiertes Spiel.</translation>
    </message>
    <message>
        <source>Nothing Sonaplex put under %1 was changed since.</source>
        <translation>Nichts, was Sonaplex unter %1 eingesetzt hat, wurde seither geändert.</translation>
    </message>
    <message>
        <source>Replacing again:</source>
        <translation>Erneut ersetzen:</translation>
    </message>
    <message>
        <source>undo takes no arguments.</source>
        <translation>undo nimmt keine Argumente an.</translation>
    </message>
    <message>
        <source>Undoing the last %1:</source>
        <translation>Das letzte %1 wird rückgängig gemacht:</translation>
    </message>
    <message>
        <source>check takes the sound files to look at.</source>
        <translation>check erwartet die zu prüfenden Tondateien.</translation>
    </message>
    <message>
        <source>  peak %1 dBFS · %2 LUFS</source>
        <translation>  Spitze %1 dBFS · %2 LUFS</translation>
    </message>
    <message>
        <source>%1: cannot be used: %2</source>
        <translation>%1: nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>sounds takes one folder, or a game&apos;s name or id.</source>
        <translation>sounds erwartet einen Ordner oder den Namen oder die ID eines Spiels.</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>  (Sonaplex put %1 there, %2)</source>
        <translation>  (Sonaplex hat %1 dort eingesetzt, %2)</translation>
    </message>
    <message>
        <source>No sound file under %1.</source>
        <translation>Keine Tondatei unter %1.</translation>
    </message>
    <message>
        <source>games takes no arguments.</source>
        <translation>games nimmt keine Argumente an.</translation>
    </message>
    <message>
        <source>No installed game was found.</source>
        <translation>Es wurde kein installiertes Spiel gefunden.</translation>
    </message>
    <message>
        <source>, build </source>
        <translation>, Build </translation>
    </message>
    <message>
        <source>  %1 replaced</source>
        <translation>  %1 ersetzt</translation>
    </message>
    <message>
        <source>sonaplex: there is no display to open the windows on.
Start Sonaplex from a desktop session, or give it one of these commands, which need none.
</source>
        <translation>sonaplex: Es gibt keine Anzeige, auf der die Fenster geöffnet werden können.
Starten Sie Sonaplex aus einer Desktop-Sitzung, oder geben Sie ihm einen dieser Befehle, die keine brauchen.
</translation>
    </message>
    <message>
        <source>--program-folder needs a folder.</source>
        <translation>--program-folder braucht einen Ordner.</translation>
    </message>
    <message>
        <source>sonaplex %1</source>
        <translation>sonaplex %1</translation>
    </message>
    <message>
        <source>no command given.</source>
        <translation>kein Befehl angegeben.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a command.</source>
        <translation>&apos;%1&apos; ist kein Befehl.</translation>
    </message>
    <message>
        <source>%1: its peak and loudness could not be measured (it took too long, or the helper stopped)</source>
        <translation>%1: Spitzenpegel und Lautheit konnten nicht gemessen werden (es dauerte zu lange, oder das Hilfsprogramm wurde beendet)</translation>
    </message>
    <message>
        <source>%1: not listed: %2</source>
        <translation>%1: nicht aufgelistet: %2</translation>
    </message>
    <message>
        <source>%1: %2: %3</source>
        <translation>%1: %2: %3</translation>
    </message>
    <message>
        <source>sonaplex: what was done could not be written to standard output.</source>
        <translation>sonaplex: Was getan wurde, konnte nicht auf die Standardausgabe geschrieben werden.</translation>
    </message>
    <message>
        <source>, %1 of them changed since, probably by an update</source>
        <translation>, davon %1 seitdem geändert, wahrscheinlich durch ein Update</translation>
    </message>
    <message>
        <source>Usage: sonaplex [--program-folder DIR] COMMAND [ARGUMENTS] [--json]
       sonaplex                 opens the windows
       sonaplex PACK            opens the windows, with the sound pack in the Packs window

Commands:
  status FOLDER|GAME            every game file the record knows under FOLDER (or of an
                                installed game, by name or id), with its state
                                (replaced, original, changed, missing), what replaced it and when
  sounds FOLDER|GAME            every sound file of the game (hidden folders left out), with its
                                format and length, its state and what replaced it
  replace FOLDER|GAME --from DIR [--convert | --as-is] [--match-loudness] [--loop-whole]
               [--dry-run]      replaces the game&apos;s sounds with the files of DIR that have
                                their paths inside the game, or else their names (extensions
                                and case aside), in one run (&apos;undo&apos; takes it back); formats
                                are handled as by &apos;pack apply&apos;; converted copies are matched
                                to their game files&apos; loudness with --match-loudness; with
                                --loop-whole, a sound the game loops by tags is looped whole
                                when its replacement has no loop; --dry-run only lists the
                                matches
  restore FOLDER|GAME --all     puts back the original of every replaced file under FOLDER
  restore FOLDER|GAME FILE...   puts back the originals of these files
  undo                          takes back the last SWITCH or restore
  reapply FOLDER|GAME           puts back what Sonaplex put over the files a game update
                                changed since (undo takes it back)
  check FILE...                 the format, length, peak and loudness of sound files, or why
                                they cannot be used
  games                         the installed games found in Steam&apos;s, Heroic&apos;s and Lutris&apos;s
                                files and the folders added by hand, with how many of their
                                files were replaced and how many were changed since
  pack create OUT.sonaplexpack --from-game FOLDER|GAME [--name NAME] [--author NAME]
               [--pack-version VERSION] [--description TEXT]
                                a sound pack of what Sonaplex replaced under FOLDER
  pack create OUT.sonaplexpack --from-set SET --game FOLDER|GAME [--name NAME]
                                a sound pack of a saved set, its files found in the game
  pack check PACK FOLDER|GAME   what applying the pack would do, entry by entry; nothing is written
  pack apply PACK FOLDER|GAME [--convert | --as-is] [--over-others]
                                applies the pack in one run (&apos;undo&apos; takes it back); sounds whose
                                format differs from their game file&apos;s are converted, or copied
                                as they are (the default, named in the output); files another
                                replacement changed are left unless --over-others
  pack remove PACK FOLDER|GAME  puts back what the pack replaced, in one run

Options:
  --program-folder DIR          the program folder to use (by default the one the windows use)
  --json                        one JSON document on stdout (see the README)
  --help                        this text

Exit status: 0 all was done, 1 some files were not (named on stderr), 2 usage error,
3 the program folder or its record cannot be used. Ctrl+C stops a restore or undo before
the first game file changes.</source>
        <translation>Aufruf: sonaplex [--program-folder DIR] BEFEHL [ARGUMENTE] [--json]
       sonaplex                 öffnet die Fenster
       sonaplex PACK            öffnet die Fenster, mit dem Soundpaket im Paketfenster

Befehle:
  status FOLDER|GAME            jede Spieldatei, die das Protokoll unter FOLDER kennt (oder eines
                                installierten Spiels, nach Name oder ID), mit ihrem Zustand
                                (replaced, original, changed, missing), wodurch und wann sie ersetzt wurde
  sounds FOLDER|GAME            jede Tondatei des Spiels (ohne versteckte Ordner), mit ihrem
                                Format und ihrer Länge, ihrem Zustand und ihrem Ersatz
  replace FOLDER|GAME --from DIR [--convert | --as-is] [--match-loudness] [--loop-whole]
               [--dry-run]      ersetzt die Töne des Spiels durch die Dateien aus DIR, die
                                ihren Pfad im Spiel haben, sonst ihren Namen (Endung und
                                Groß-/Kleinschreibung beiseite), in einem Durchgang (&apos;undo&apos; nimmt ihn
                                zurück); Formate wie bei &apos;pack apply&apos;; mit --match-loudness
                                erhalten umgewandelte Kopien die Lautheit ihrer Spieldateien; mit
                                --loop-whole wird ein Ton, den das Spiel anhand von Markierungen
                                wiederholt, ganz wiederholt, wenn sein Ersatz keine Markierungen
                                hat; --dry-run listet nur die Treffer
  restore FOLDER|GAME --all     stellt das Original jeder ersetzten Datei unter FOLDER wieder her
  restore FOLDER|GAME FILE...   stellt die Originale dieser Dateien wieder her
  undo                          nimmt das letzte SWITCH oder Wiederherstellen zurück
  reapply FOLDER|GAME           setzt wieder ein, was Sonaplex über die Dateien gelegt hat, die ein
                                Spiel-Update seither geändert hat (&apos;undo&apos; nimmt es zurück)
  check FILE...                 Format, Länge, Spitzenpegel und Lautheit von Tondateien, oder warum
                                sie nicht verwendbar sind
  games                         die installierten Spiele aus den Dateien von Steam, Heroic und Lutris
                                und die von Hand hinzugefügten Ordner, mit der Zahl ihrer ersetzten
                                und seither geänderten Dateien
  pack create OUT.sonaplexpack --from-game FOLDER|GAME [--name NAME] [--author NAME]
               [--pack-version VERSION] [--description TEXT]
                                ein Soundpaket aus dem, was Sonaplex unter FOLDER ersetzt hat
  pack create OUT.sonaplexpack --from-set SET --game FOLDER|GAME [--name NAME]
                                ein Soundpaket aus einem gespeicherten Satz, seine Dateien im Spiel gefunden
  pack check PACK FOLDER|GAME   was das Anwenden des Pakets täte, Eintrag für Eintrag; nichts wird geschrieben
  pack apply PACK FOLDER|GAME [--convert | --as-is] [--over-others]
                                wendet das Paket in einem Durchgang an (&apos;undo&apos; nimmt es zurück); Töne,
                                deren Format von dem ihrer Spieldatei abweicht, werden umgewandelt oder
                                unverändert kopiert (die Vorgabe, in der Ausgabe genannt); Dateien, die
                                ein anderer Ersatz geändert hat, bleiben ohne --over-others, wie sie sind
  pack remove PACK FOLDER|GAME  stellt wieder her, was das Paket ersetzt hat, in einem Durchgang

Optionen:
  --program-folder DIR          der zu verwendende Programmordner (sonst der der Fenster)
  --json                        ein JSON-Dokument auf stdout (siehe README)
  --help                        dieser Text

Rückgabewert: 0 alles erledigt, 1 manche Dateien nicht (auf stderr genannt), 2 Aufruffehler,
3 der Programmordner oder sein Protokoll ist nicht verwendbar. Strg+C hält ein Wiederherstellen
oder Rückgängigmachen an, bevor sich die erste Spieldatei ändert.</translation>
    </message>
    <message>
        <source>The files named already hold their originals.</source>
        <translation>Die genannten Dateien enthalten bereits ihre Originale.</translation>
    </message>
</context>
<context>
    <name>ContentHash</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>there is not enough memory to convert it</source>
        <translation>es gibt nicht genug Speicher, um sie umzuwandeln</translation>
    </message>
</context>
<context>
    <name>Convert</name>
    <message>
        <source>resampling failed (%1)</source>
        <translation>Umrechnen der Abtastrate fehlgeschlagen (%1)</translation>
    </message>
    <message>
        <source>%1 cannot be read as a recording</source>
        <translation>%1 kann nicht als Aufnahme gelesen werden</translation>
    </message>
    <message>
        <source>the game file&apos;s format (%1) cannot be written</source>
        <translation>das Format der Spieldatei (%1) kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the converted copy cannot be written (%1)</source>
        <translation>die umgewandelte Kopie kann nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>the resampler cannot start (%1)</source>
        <translation>die Abtastratenumrechnung kann nicht starten (%1)</translation>
    </message>
    <message>
        <source>the conversion was stopped</source>
        <translation>die Umwandlung wurde angehalten</translation>
    </message>
    <message>
        <source>the converted copy cannot be written (disk full?)</source>
        <translation>die umgewandelte Kopie kann nicht geschrieben werden (Datenträger voll?)</translation>
    </message>
    <message>
        <source>the converted copy cannot be written</source>
        <translation>die umgewandelte Kopie kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>the loop points cannot be written (%1)</source>
        <translation>die Schleifenpunkte können nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>the converted copy cannot be read back (%1)</source>
        <translation>die umgewandelte Kopie kann nicht zurückgelesen werden (%1)</translation>
    </message>
    <message>
        <source>the converted copy is not in the format asked for</source>
        <translation>die umgewandelte Kopie hat nicht das verlangte Format</translation>
    </message>
    <message>
        <source>the converted copy does not decode to its end</source>
        <translation>die umgewandelte Kopie lässt sich nicht bis zum Ende dekodieren</translation>
    </message>
    <message>
        <source>the converted copy is cut short (%1 of %2 frames)</source>
        <translation>die umgewandelte Kopie ist abgeschnitten (%1 von %2 Frames)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 could not be read to its end (%2 of %3 frames): it may be damaged</source>
        <translation>%1 konnte nicht bis zum Ende gelesen werden (%2 von %3 Frames): Die Datei ist vielleicht beschädigt</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>
This name cannot be read as UTF-8 (it was written in another character set): rename the file to use it.</source>
        <translation>
Dieser Name kann nicht als UTF-8 gelesen werden (er wurde in einem anderen Zeichensatz geschrieben): Benennen Sie die Datei um, um sie zu verwenden.</translation>
    </message>
    <message>
        <source>Replaced by %1 on %2</source>
        <translation>Ersetzt durch %1 am %2</translation>
    </message>
    <message>
        <source>Holds its original again</source>
        <translation>Enthält wieder ihr Original</translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation>Nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Changed since Sonaplex replaced it on %1</source>
        <translation>Geändert, seit Sonaplex sie am %1 ersetzt hat</translation>
    </message>
</context>
<context>
    <name>FilesPosix</name>
    <message>
        <source>The name is empty.</source>
        <translation>Der Name ist leer.</translation>
    </message>
    <message>
        <source>A set name cannot contain &quot;/&quot; or &quot;\&quot;: the set would not be one folder in the program folder.</source>
        <translation>Ein Satzname darf weder &quot;/&quot; noch &quot;\&quot; enthalten: Der Satz wäre sonst nicht ein Ordner im Programmordner.</translation>
    </message>
    <message>
        <source>A set name cannot contain control characters such as tabs or line breaks.</source>
        <translation>Ein Satzname darf keine Steuerzeichen wie Tabulatoren oder Zeilenumbrüche enthalten.</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 ist schreibgeschützt</translation>
    </message>
    <message>
        <source>cannot reach %1</source>
        <translation>%1 ist nicht erreichbar</translation>
    </message>
    <message>
        <source>cannot write in the folder of %1</source>
        <translation>im Ordner von %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>cannot give the copy of %1 the permissions of %2</source>
        <translation>der Kopie von %1 können die Rechte von %2 nicht gegeben werden</translation>
    </message>
    <message>
        <source>no replacement file was chosen</source>
        <translation>es wurde keine Ersatzdatei gewählt</translation>
    </message>
    <message>
        <source>no game file was chosen</source>
        <translation>es wurde keine Spieldatei gewählt</translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>cannot copy %1 to %2</source>
        <translation>%1 kann nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation>%1 kann nicht ersetzt werden</translation>
    </message>
    <message>
        <source>cannot replace %1: no free temporary name</source>
        <translation>%1 kann nicht ersetzt werden: kein freier temporärer Name</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>no copy of %1 was made</source>
        <translation>es wurde keine Kopie von %1 angelegt</translation>
    </message>
    <message>
        <source>cannot write the folder %1 to disk</source>
        <translation>der Ordner %1 kann nicht auf den Datenträger geschrieben werden</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB: not what it should be</source>
        <translation>%1 ist größer als %2 MB: nicht, was sie sein sollte</translation>
    </message>
    <message>
        <source>the name of %1 cannot be read as UTF-8 (it was written in another character set): rename the file to use it</source>
        <translation>der Name von %1 kann nicht als UTF-8 gelesen werden (er wurde in einem anderen Zeichensatz geschrieben): Benennen Sie die Datei um, um sie zu verwenden</translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation>der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation>%1 kann nicht entfernt werden</translation>
    </message>
    <message>
        <source>%1 is not a folder inside %2</source>
        <translation>%1 ist kein Ordner in %2</translation>
    </message>
    <message>
        <source>cannot rename %1 to %2</source>
        <translation>%1 kann nicht in %2 umbenannt werden</translation>
    </message>
    <message>
        <source>its path is longer than the file system allows</source>
        <translation>ihr Pfad ist länger, als das Dateisystem erlaubt</translation>
    </message>
    <message>
        <source>the game folder %1 cannot be opened</source>
        <translation>der Spielordner %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 cannot be looked at (%2)</source>
        <translation>%1 kann nicht angesehen werden (%2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; differs only in case from &apos;%2&apos;, which the game already has</source>
        <translation>&apos;%1&apos; unterscheidet sich nur in der Groß-/Kleinschreibung von &apos;%2&apos;, das das Spiel bereits hat</translation>
    </message>
    <message>
        <source>the game file is a symbolic link</source>
        <translation>die Spieldatei ist ein symbolischer Link</translation>
    </message>
    <message>
        <source>the game file is not a regular file</source>
        <translation>die Spieldatei ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a symbolic link that leads nowhere</source>
        <translation>&apos;%1&apos; ist ein symbolischer Link, der ins Leere führt</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a symbolic link to %2, outside the game folder</source>
        <translation>&apos;%1&apos; ist ein symbolischer Link auf %2, außerhalb des Spielordners</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a folder</source>
        <translation>&apos;%1&apos; ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 cannot be opened (%2)</source>
        <translation>%1 kann nicht geöffnet werden (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>der Ordner %1 ist nicht erreichbar (%2)</translation>
    </message>
    <message>
        <source>%1 is a link that leads nowhere</source>
        <translation>%1 ist ein Link, der ins Leere führt</translation>
    </message>
    <message>
        <source>%1 cannot be reached (%2)</source>
        <translation>%1 ist nicht erreichbar (%2)</translation>
    </message>
    <message>
        <source>%1 is a link to %2, outside the game folder: what it leads to is never written</source>
        <translation>%1 ist ein Link auf %2, außerhalb des Spielordners: Wohin er führt, wird nie geschrieben</translation>
    </message>
    <message>
        <source>the folder cannot be read (%1)</source>
        <translation>der Ordner kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the folder could not be read to its end (%1)</source>
        <translation>der Ordner konnte nicht bis zum Ende gelesen werden (%1)</translation>
    </message>
    <message>
        <source>cannot be looked at (%1)</source>
        <translation>kann nicht angesehen werden (%1)</translation>
    </message>
    <message>
        <source>a link to %1, outside the folder: what it leads to is never written</source>
        <translation>ein Link auf %1, außerhalb des Ordners: Wohin er führt, wird nie geschrieben</translation>
    </message>
    <message>
        <source>its name cannot be read as UTF-8 (it was written in another character set): rename it to use it</source>
        <translation>sein Name ist kein UTF-8 (er wurde in einem anderen Zeichensatz geschrieben): Benennen Sie die Datei um, um sie zu verwenden</translation>
    </message>
    <message>
        <source>its path is longer than the file system allows: move it higher to use it</source>
        <translation>ihr Pfad ist länger, als das Dateisystem erlaubt: Verschieben Sie sie weiter nach oben, um sie zu verwenden</translation>
    </message>
    <message>
        <source>it is not a regular file (a pipe, a device or a socket): it is never read or written</source>
        <translation>Es ist keine gewöhnliche Datei (eine Pipe, ein Gerät oder ein Socket): Sie wird nie gelesen oder geschrieben</translation>
    </message>
    <message>
        <source>a link to the folder %1, outside the folder: its files are not listed, and never written</source>
        <translation>ein Link auf den Ordner %1, außerhalb des Ordners: Seine Dateien werden nicht aufgeführt und nie geschrieben</translation>
    </message>
    <message>
        <source>a link that leads to no file (%1): it is not listed</source>
        <translation>ein Link, der zu keiner Datei führt (%1): Er wird nicht aufgeführt</translation>
    </message>
</context>
<context>
    <name>FormatConversion</name>
    <message>
        <source>Format Check</source>
        <translation>Formatprüfung</translation>
    </message>
    <message>
        <source>The game loops these sounds by tags in their files, and their replacements have none, so the game may loop them at the wrong place:

%1

Loop the whole of each replacement?</source>
        <translation>Das Spiel wiederholt diese Töne anhand von Markierungen in ihren Dateien, und ihre Ersatzdateien haben keine, daher wiederholt das Spiel sie vielleicht an der falschen Stelle:

%1

Jede Ersatzdatei ganz wiederholen?</translation>
    </message>
    <message>
        <source>Loop Points</source>
        <translation>Schleifenpunkte</translation>
    </message>
    <message>
        <source>Converting the replacements…</source>
        <translation>Die Ersatzdateien werden umgewandelt…</translation>
    </message>
    <message>
        <source>Replacing the game files…</source>
        <translation>Die Spieldateien werden ersetzt…</translation>
    </message>
    <message>
        <source>These replacements are not in the format of the game files they replace. A game reads each file in the format its name says, so those in another kind of file are always converted. Convert the ticked ones to the game files&apos; formats (the others are copied as they are)?</source>
        <translation>Diese Ersatzdateien haben nicht das Format der Spieldateien, die sie ersetzen. Ein Spiel liest jede Datei in dem Format, das ihr Name angibt; darum werden die in einer anderen Dateiart immer umgewandelt. Die angekreuzten in die Formate der Spieldateien umwandeln (die anderen werden unverändert kopiert)?</translation>
    </message>
    <message>
        <source>These replacements are not in the format of the game files they replace, so a game may play them wrongly or not at all. Convert the ticked ones to the game files&apos; formats (the others are copied as they are), or copy them all as they are?</source>
        <translation>Diese Ersatzdateien haben nicht das Format der Spieldateien, die sie ersetzen; ein Spiel spielt sie vielleicht falsch oder gar nicht ab. Die angekreuzten in die Formate der Spieldateien umwandeln (die anderen werden unverändert kopiert) oder alle unverändert kopieren?</translation>
    </message>
</context>
<context>
    <name>FrmAbout</name>
    <message>
        <source>Linux</source>
        <translation>Linux</translation>
    </message>
    <message>
        <source>About Sonaplex</source>
        <translation>Über Sonaplex</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>for </source>
        <translation>für </translation>
    </message>
    <message>
        <source>Created by the Sonaplex developers</source>
        <translation>Erstellt von den Sonaplex-Entwicklern</translation>
    </message>
    <message>
        <source>For more information about the program,</source>
        <translation>Weitere Informationen über das Programm</translation>
    </message>
    <message>
        <source>read its guide:</source>
        <translation>finden Sie in seiner Anleitung:</translation>
    </message>
    <message>
        <source>Open the Sonaplex guide</source>
        <translation>Die Sonaplex-Anleitung öffnen</translation>
    </message>
    <message>
        <source>About </source>
        <translation>Über </translation>
    </message>
    <message>
        <source>No program could be started to show %1.
Open it with a text viewer or a web browser.</source>
        <translation>Es konnte kein Programm gestartet werden, um %1 anzuzeigen.
Öffnen Sie die Datei mit einem Textbetrachter oder einem Webbrowser.</translation>
    </message>
    <message>
        <source>Sonaplex is an audio replacement utility which allows the user to select and change the sound effects and background music played by various compatible games and programs. Sonaplex also provides the options to backup original program files, add selected background music to a &quot;Favorite Midi&quot; directory, and create and save sound effects sets.</source>
        <translation>Sonaplex ist ein Werkzeug zum Ersetzen von Tönen, mit dem Sie die Soundeffekte und die Hintergrundmusik verschiedener kompatibler Spiele und Programme auswählen und ändern können. Sonaplex kann außerdem die ursprünglichen Programmdateien sichern, ausgewählte Hintergrundmusik einem Ordner &quot;Favorite Midi&quot; hinzufügen und Sätze von Soundeffekten anlegen und speichern.</translation>
    </message>
</context>
<context>
    <name>FrmBackups</name>
    <message>
        <source>Wav Backup</source>
        <translation>Wav-Sicherung</translation>
    </message>
    <message>
        <source>Backup Original Game Files Only</source>
        <translation>Nur Original-Spieldateien sichern</translation>
    </message>
    <message>
        <source>Midi Backup</source>
        <translation>Midi-Sicherung</translation>
    </message>
    <message>
        <source>Backup original game files only.</source>
        <translation>Nur Original-Spieldateien sichern.</translation>
    </message>
</context>
<context>
    <name>FrmConfirmations</name>
    <message>
        <source>Add to Favorites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Successfully added to favorites</source>
        <translation>Erfolgreich zu den Favoriten hinzugefügt</translation>
    </message>
</context>
<context>
    <name>FrmCopyMidi</name>
    <message>
        <source>Sonaplex/Background Music</source>
        <translation>Sonaplex/Hintergrundmusik</translation>
    </message>
    <message>
        <source>Please be certain that the &quot;Selection&quot; entries are Game Files and not Replacement Midi&apos;s.</source>
        <translation>Bitte vergewissern Sie sich, dass die Einträge unter &quot;Auswahl&quot; Spieldateien sind und keine Ersatz-Midis.</translation>
    </message>
    <message>
        <source>BACKUP ORIGINAL GAME FILES</source>
        <translation>ORIGINAL-SPIELDATEIEN SICHERN</translation>
    </message>
    <message>
        <source>Complete the replacement process.</source>
        <translation>Den Ersetzungsvorgang abschließen.</translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>If you&apos;d like to make a selection more easily accessible, click here to add it to your Favorite Midi directory.</source>
        <translation>Wenn Sie eine Auswahl leichter erreichbar machen möchten, klicken Sie hier, um sie Ihrem Favoriten-Midi-Verzeichnis hinzuzufügen.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to previous window.</source>
        <translation>Zum vorigen Fenster zurückkehren.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation>Die Schritt-für-Schritt-Bildanleitung von Sonaplex.</translation>
    </message>
    <message>
        <source>Your favorites already hold other files of these names:

%1

Replace them with the new ones?</source>
        <translation>Ihre Favoriten enthalten bereits andere Dateien dieser Namen:

%1

Sie durch die neuen ersetzen?</translation>
    </message>
    <message>
        <source>Not every file was added to your favorites:</source>
        <translation>Nicht jede Datei wurde Ihren Favoriten hinzugefügt:</translation>
    </message>
    <message>
        <source>These are in your favorites, but may not survive a crash or a power cut:</source>
        <translation>Diese sind in Ihren Favoriten, überstehen aber vielleicht keinen Absturz oder Stromausfall:</translation>
    </message>
    <message>
        <source>Favorites Error</source>
        <translation>Favoritenfehler</translation>
    </message>
    <message>
        <source>There are no replacement files to add to your favorites.</source>
        <translation>Es gibt keine Ersatzdateien, die Ihren Favoriten hinzugefügt werden könnten.</translation>
    </message>
</context>
<context>
    <name>FrmCopyWavs</name>
    <message>
        <source>Sonaplex/Sound Effects</source>
        <translation>Sonaplex/Soundeffekte</translation>
    </message>
    <message>
        <source>Please be certain that the &quot;Selection&quot; entries are Game Files and not Replacement Wav&apos;s.</source>
        <translation>Bitte vergewissern Sie sich, dass die Einträge unter &quot;Auswahl&quot; Spieldateien sind und keine Ersatz-Wavs.</translation>
    </message>
    <message>
        <source>BACKUP ORIGINAL GAME FILES</source>
        <translation>ORIGINAL-SPIELDATEIEN SICHERN</translation>
    </message>
    <message>
        <source>Complete the replacement process.</source>
        <translation>Den Ersetzungsvorgang abschließen.</translation>
    </message>
    <message>
        <source>Save Set</source>
        <translation>Satz speichern</translation>
    </message>
    <message>
        <source>Create a set with chosen replacement files for easy accessibility at a later date. REFER TO &quot;HELP&quot;/&quot;ABOUT SAVING SETS&quot;</source>
        <translation>Einen Satz mit den gewählten Ersatzdateien anlegen, um später leicht darauf zuzugreifen. SIEHE &quot;HILFE&quot;/&quot;SÄTZE SPEICHERN&quot;</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to previous window.</source>
        <translation>Zum vorigen Fenster zurückkehren.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation>Die Schritt-für-Schritt-Bildanleitung von Sonaplex.</translation>
    </message>
    <message>
        <source>No selection has both a game file and a replacement, so there is no set to save.</source>
        <translation>Keine Auswahl hat sowohl eine Spieldatei als auch einen Ersatz, also gibt es keinen Satz zu speichern.</translation>
    </message>
    <message>
        <source>Save Set Error</source>
        <translation>Fehler beim Speichern des Satzes</translation>
    </message>
    <message>
        <source>Gathering the set…</source>
        <translation>Der Satz wird zusammengestellt…</translation>
    </message>
    <message>
        <source>These files could not be added and are not in the set:</source>
        <translation>Diese Dateien konnten nicht hinzugefügt werden und sind nicht im Satz:</translation>
    </message>
    <message>
        <source>These are in the set, but may not survive a crash or a power cut:</source>
        <translation>Diese sind im Satz, überstehen aber vielleicht keinen Absturz oder Stromausfall:</translation>
    </message>
    <message>
        <source>No file could be added, so no set was saved.</source>
        <translation>Es konnte keine Datei hinzugefügt werden, also wurde kein Satz gespeichert.</translation>
    </message>
</context>
<context>
    <name>FrmGame</name>
    <message>
        <source>Game Sounds</source>
        <translation>Spieltöne</translation>
    </message>
    <message>
        <source>Sonaplex/Game Sounds</source>
        <translation>Sonaplex/Spieltöne</translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation>Lautheit angleichen</translation>
    </message>
    <message>
        <source>Play on select</source>
        <translation>Bei Auswahl abspielen</translation>
    </message>
    <message>
        <source>The game whose sounds are listed.</source>
        <translation>Das Spiel, dessen Töne aufgelistet sind.</translation>
    </message>
    <message>
        <source>Filter by path</source>
        <translation>Nach Pfad filtern</translation>
    </message>
    <message>
        <source>Shows only the sounds whose path holds this text (Ctrl+F).</source>
        <translation>Zeigt nur die Töne, deren Pfad diesen Text enthält (Strg+F).</translation>
    </message>
    <message>
        <source>All sounds</source>
        <translation>Alle Töne</translation>
    </message>
    <message>
        <source>Replaced</source>
        <translation>Ersetzt</translation>
    </message>
    <message>
        <source>Changed by an update</source>
        <translation>Durch ein Update geändert</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Ausstehend</translation>
    </message>
    <message>
        <source>Which sounds to show, by their state.</source>
        <translation>Welche Töne gezeigt werden, nach ihrem Zustand.</translation>
    </message>
    <message>
        <source>Game:</source>
        <translation>Spiel:</translation>
    </message>
    <message>
        <source>Sounds of the game</source>
        <translation>Töne des Spiels</translation>
    </message>
    <message>
        <source>While comparing, the louder of the two plays as loud as the quieter.</source>
        <translation>Beim Vergleichen spielt der lautere der beiden so laut wie der leisere.</translation>
    </message>
    <message>
        <source>Moving through the list plays each game sound.</source>
        <translation>Beim Bewegen durch die Liste wird jeder Spielton abgespielt.</translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation>A/B-Vergleich</translation>
    </message>
    <message>
        <source>Switches between the game sound and its replacement at the same point of the sound (Ctrl+B).</source>
        <translation>Wechselt an derselben Stelle zwischen dem Spielton und seinem Ersatz (Strg+B).</translation>
    </message>
    <message>
        <source>Game Folder...</source>
        <translation>Spielordner...</translation>
    </message>
    <message>
        <source>Which folder holds the game?</source>
        <translation>Welcher Ordner enthält das Spiel?</translation>
    </message>
    <message>
        <source>The folder %1 is not there.</source>
        <translation>Der Ordner %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation>Die von Sonaplex ersetzten Spieldateien werden gelesen…</translation>
    </message>
    <message>
        <source>Choose a game, or a game&apos;s folder.</source>
        <translation>Wählen Sie ein Spiel oder den Ordner eines Spiels.</translation>
    </message>
    <message>
        <source>No sound file in %1.</source>
        <translation>Keine Tondatei in %1.</translation>
    </message>
    <message>
        <source> Reading their formats: %1 of %2…</source>
        <translation> Ihre Formate werden gelesen: %L1 von %L2…</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 ist keine Datei</translation>
    </message>
    <message>
        <source>%1 cannot replace %2: %3.</source>
        <translation>%1 kann %2 nicht ersetzen: %3.</translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation>Fehler bei der Dateiauswahl</translation>
    </message>
    <message>
        <source>Select the sounds to replace first.</source>
        <translation>Wählen Sie zuerst die zu ersetzenden Töne.</translation>
    </message>
    <message>
        <source>Choose the Replacement</source>
        <translation>Den Ersatz wählen</translation>
    </message>
    <message>
        <source>Sound files (%1)</source>
        <translation>Tondateien (%1)</translation>
    </message>
    <message>
        <source>Which folder holds your sounds?</source>
        <translation>Welcher Ordner enthält Ihre Töne?</translation>
    </message>
    <message>
        <source>Matching your sounds to the game&apos;s…</source>
        <translation>Ihre Töne werden denen des Spiels zugeordnet…</translation>
    </message>
    <message>
        <source>No sound file in %1 has the path or name of a sound of this game.%2</source>
        <translation>Keine Tondatei in %1 hat den Pfad oder Namen eines Tons dieses Spiels.%2</translation>
    </message>
    <message>
        <source> (by name)</source>
        <translation> (nach Name)</translation>
    </message>
    <message>
        <source>%1 of your sounds match sounds of this game:

%2</source>
        <translation>%L1 Ihrer Töne passen zu Tönen dieses Spiels:

%2</translation>
    </message>
    <message>
        <source>

Not used:
%1</source>
        <translation>

Nicht verwendet:
%1</translation>
    </message>
    <message>
        <source>

Choose them as the replacements? Nothing is replaced until SWITCH.</source>
        <translation>

Sie als Ersatz wählen? Ersetzt wird erst mit SWITCH.</translation>
    </message>
    <message>
        <source>Replacement Error</source>
        <translation>Fehler beim Ersetzen</translation>
    </message>
    <message>
        <source>Choose a replacement for at least one sound first.</source>
        <translation>Wählen Sie zuerst für mindestens einen Ton einen Ersatz.</translation>
    </message>
    <message>
        <source>No record of replacements is kept: nothing can be replaced.</source>
        <translation>Es wird kein Protokoll der Ersetzungen geführt: Nichts kann ersetzt werden.</translation>
    </message>
    <message>
        <source>Reading the formats…</source>
        <translation>Die Formate werden gelesen…</translation>
    </message>
    <message>
        <source>Select sounds that Sonaplex replaced to restore them.</source>
        <translation>Wählen Sie Töne, die Sonaplex ersetzt hat, um sie wiederherzustellen.</translation>
    </message>
    <message>
        <source>These files were changed since Sonaplex replaced them (by a game update or another tool):

%1

Restore them anyway? What they hold now is kept too, so this can be undone.</source>
        <translation>Diese Dateien wurden geändert, seit Sonaplex sie ersetzt hat (durch ein Spiel-Update oder ein anderes Werkzeug):

%1

Trotzdem wiederherstellen? Ihr jetziger Inhalt wird ebenfalls aufbewahrt, also lässt sich dies rückgängig machen.</translation>
    </message>
    <message>
        <source>Putting the originals back…</source>
        <translation>Die Originale werden wiederhergestellt…</translation>
    </message>
    <message>
        <source>put back</source>
        <translation>wiederhergestellt</translation>
    </message>
    <message>
        <source>Undoing the last %1…</source>
        <translation>Das letzte %1 wird rückgängig gemacht…</translation>
    </message>
    <message>
        <source>No sound here was changed since Sonaplex replaced it: there is nothing to replace again.</source>
        <translation>Kein Ton hier wurde geändert, seit Sonaplex ihn ersetzt hat: Es gibt nichts erneut zu ersetzen.</translation>
    </message>
    <message>
        <source>Replacing again…</source>
        <translation>Erneut ersetzen…</translation>
    </message>
    <message>
        <source>replaced again</source>
        <translation>erneut ersetzt</translation>
    </message>
    <message>
        <source>Choose &amp;Replacement...</source>
        <translation>&amp;Ersatz wählen...</translation>
    </message>
    <message>
        <source>Choose the file that replaces the selected sounds (Enter).</source>
        <translation>Die Datei wählen, die die ausgewählten Töne ersetzt (Eingabe).</translation>
    </message>
    <message>
        <source>Replace from &amp;Folder...</source>
        <translation>Aus &amp;Ordner ersetzen...</translation>
    </message>
    <message>
        <source>Match a folder of your sounds to the game&apos;s, by their paths inside the game, then by their names.</source>
        <translation>Einen Ordner Ihrer Töne denen des Spiels zuordnen, nach ihren Pfaden im Spiel, dann nach ihren Namen.</translation>
    </message>
    <message>
        <source>C&amp;lear Replacement</source>
        <translation>Ersatz ent&amp;fernen</translation>
    </message>
    <message>
        <source>Clear the replacements of the selected sounds (Delete).</source>
        <translation>Den Ersatz der ausgewählten Töne entfernen (Entf).</translation>
    </message>
    <message>
        <source>Replace every sound that has a replacement chosen, in one run.</source>
        <translation>Jeden Ton, für den ein Ersatz gewählt ist, in einem Durchgang ersetzen.</translation>
    </message>
    <message>
        <source>Restore &amp;Selected</source>
        <translation>&amp;Auswahl wiederherstellen</translation>
    </message>
    <message>
        <source>Put the selected sounds back as they were originally.</source>
        <translation>Die ausgewählten Töne in ihren ursprünglichen Zustand zurückversetzen.</translation>
    </message>
    <message>
        <source>&amp;Undo Last SWITCH</source>
        <translation>Letztes SWITCH &amp;rückgängig</translation>
    </message>
    <message>
        <source>Put back exactly what the last SWITCH (or restore) overwrote.</source>
        <translation>Genau das wiederherstellen, was das letzte SWITCH (oder Wiederherstellen) überschrieben hat.</translation>
    </message>
    <message>
        <source>Replace &amp;Again</source>
        <translation>Erneut erset&amp;zen</translation>
    </message>
    <message>
        <source>Put back what Sonaplex put over the selected sounds (all of them, when none is selected) that a game update changed since.</source>
        <translation>Wieder einsetzen, was Sonaplex über die ausgewählten Töne gelegt hat (alle, wenn keiner ausgewählt ist), die ein Spiel-Update seither geändert hat.</translation>
    </message>
    <message>
        <source>Make &amp;Pack...</source>
        <translation>&amp;Paket erstellen...</translation>
    </message>
    <message>
        <source>Make a sound pack of what Sonaplex replaced in this game.</source>
        <translation>Ein Soundpaket aus dem erstellen, was Sonaplex in diesem Spiel ersetzt hat.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation>Zum vorigen Fenster zurückkehren.</translation>
    </message>
    <message numerus="yes">
        <source>%n sound file(s) found so far…</source>
        <translation>
            <numerusform>%Ln Tondatei bisher gefunden…</numerusform>
            <numerusform>%Ln Tondateien bisher gefunden…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sound file(s): %1 replaced, %2 changed by an update, %3 to replace.</source>
        <translation>
            <numerusform>%Ln Tondatei: %1 ersetzt, %2 durch ein Update geändert, %3 zu ersetzen.</numerusform>
            <numerusform>%Ln Tondateien: %1 ersetzt, %2 durch ein Update geändert, %3 zu ersetzen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced. Undo takes this back.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde ersetzt. Rückgängig nimmt dies zurück.</numerusform>
            <numerusform>%Ln Spieldateien wurden ersetzt. Rückgängig nimmt dies zurück.</numerusform>
        </translation>
    </message>
    <message>
        <source>replaced</source>
        <translation>ersetzt</translation>
    </message>
    <message>
        <source>Game sound</source>
        <translation>Spielton</translation>
    </message>
    <message>
        <source>Replacement</source>
        <translation>Ersatz</translation>
    </message>
    <message numerus="yes">
        <source> %n file(s) or folder(s) could not be listed (see the tooltip).</source>
        <translation>
            <numerusform> %Ln Datei oder Ordner konnte nicht aufgelistet werden (siehe Tooltip).</numerusform>
            <numerusform> %Ln Dateien oder Ordner konnten nicht aufgelistet werden (siehe Tooltip).</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 cannot replace %2: %3</source>
        <translation>%1 kann %2 nicht ersetzen: %3</translation>
    </message>
    <message>
        <source>
… and %1 more</source>
        <translation>
… und %1 weitere</translation>
    </message>
    <message>
        <source>

These take the place of replacements chosen before:
%1</source>
        <translation>

Diese treten an die Stelle zuvor gewählter Ersetzungen:
%1</translation>
    </message>
    <message>
        <source>

These match no sound of the game:
%1</source>
        <translation>

Diese passen zu keinem Ton des Spiels:
%1</translation>
    </message>
    <message>
        <source>

These could not be listed:
%1</source>
        <translation>

Diese konnten nicht aufgelistet werden:
%1</translation>
    </message>
    <message>
        <source>Nothing was replaced.</source>
        <translation>Es wurde nichts ersetzt.</translation>
    </message>
</context>
<context>
    <name>FrmGameLinks</name>
    <message>
        <source>Download %1</source>
        <translation>%1 herunterladen</translation>
    </message>
    <message>
        <source>URL Retrieval</source>
        <translation>Adresse abrufen</translation>
    </message>
</context>
<context>
    <name>FrmMidi</name>
    <message>
        <source>Sonaplex/Background Music</source>
        <translation>Sonaplex/Hintergrundmusik</translation>
    </message>
    <message>
        <source>your Favorite Midi Folder</source>
        <translation>Ihren Favoriten-Midi-Ordner</translation>
    </message>
    <message>
        <source>Midi Selection Error</source>
        <translation>Fehler bei der Midi-Auswahl</translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation>Die Schritt-für-Schritt-Bildanleitung von Sonaplex.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Sound Effects</source>
        <translation>Soundeffekte</translation>
    </message>
    <message>
        <source>Go to Sonaplex-Sound Effects.</source>
        <translation>Zu Sonaplex-Soundeffekte wechseln.</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>PC Game Download Sites</source>
        <translation>Download-Seiten für PC-Spiele</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>FrmPacks</name>
    <message>
        <source>Sound Packs</source>
        <translation>Soundpakete</translation>
    </message>
    <message>
        <source>Sound packs (*.sonaplexpack)</source>
        <translation>Soundpakete (*.sonaplexpack)</translation>
    </message>
    <message>
        <source>Sonaplex/Sound Packs</source>
        <translation>Sonaplex/Soundpakete</translation>
    </message>
    <message>
        <source>No pack is open.</source>
        <translation>Kein Paket ist geöffnet.</translation>
    </message>
    <message>
        <source>Replace files other &amp;replacements changed</source>
        <translation>Dateien ersetzen, die andere &amp;Ersetzungen geändert haben</translation>
    </message>
    <message>
        <source>Con&amp;vert sounds to their game file&apos;s format</source>
        <translation>Töne in das Format ihrer Spieldatei &amp;umwandeln</translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation>Lautheit angleichen</translation>
    </message>
    <message>
        <source>Pack:</source>
        <translation>Paket:</translation>
    </message>
    <message>
        <source>Game:</source>
        <translation>Spiel:</translation>
    </message>
    <message>
        <source>The pack&apos;s sound</source>
        <translation>Der Ton des Pakets</translation>
    </message>
    <message>
        <source>The game file</source>
        <translation>Die Spieldatei</translation>
    </message>
    <message>
        <source>Set:</source>
        <translation>Satz:</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>The game the pack is checked against and applied to.</source>
        <translation>Das Spiel, gegen das das Paket geprüft und auf das es angewendet wird.</translation>
    </message>
    <message>
        <source>The pack&apos;s sounds</source>
        <translation>Die Töne des Pakets</translation>
    </message>
    <message>
        <source>Files another pack or a SWITCH replaced are left as they are unless this is ticked.</source>
        <translation>Dateien, die ein anderes Paket oder ein SWITCH ersetzt hat, bleiben, wie sie sind, außer dies ist angekreuzt.</translation>
    </message>
    <message>
        <source>Sounds whose format differs from their game file&apos;s are converted to it; otherwise they are copied as they are (a sound in another container or codec, Ogg Vorbis for a wave file say, is always converted).</source>
        <translation>Töne, deren Format von dem ihrer Spieldatei abweicht, werden in dieses umgewandelt; sonst werden sie unverändert kopiert (ein Ton in einem anderen Container oder Codec, etwa Ogg Vorbis für eine Wave-Datei, wird immer umgewandelt).</translation>
    </message>
    <message>
        <source>Saved sets</source>
        <translation>Gespeicherte Sätze</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Who made the pack</source>
        <translation>Wer das Paket erstellt hat</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>What the pack changes, shown to whoever opens it</source>
        <translation>Was das Paket ändert, angezeigt für jeden, der es öffnet</translation>
    </message>
    <message>
        <source>Written into the next pack made here.</source>
        <translation>Wird in das nächste hier erstellte Paket geschrieben.</translation>
    </message>
    <message>
        <source>Open a Sound Pack</source>
        <translation>Ein Soundpaket öffnen</translation>
    </message>
    <message>
        <source>Reading the pack…</source>
        <translation>Das Paket wird gelesen…</translation>
    </message>
    <message>
        <source>%1 cannot be used, and nothing was written:

%2%3</source>
        <translation>%1 kann nicht verwendet werden, und nichts wurde geschrieben:

%2%3</translation>
    </message>
    <message>
        <source>

%1 stays open.</source>
        <translation>

%1 bleibt geöffnet.</translation>
    </message>
    <message>
        <source>Choose the game folder</source>
        <translation>Den Spielordner wählen</translation>
    </message>
    <message>
        <source>no record of replacements is kept</source>
        <translation>es wird kein Protokoll der Ersetzungen geführt</translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation>Die von Sonaplex ersetzten Spieldateien werden gelesen…</translation>
    </message>
    <message>
        <source>The record of replacements cannot be read: %1</source>
        <translation>Das Protokoll der Ersetzungen kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Checking the pack against the game…</source>
        <translation>Das Paket wird mit dem Spiel abgeglichen…</translation>
    </message>
    <message>
        <source>%1 cannot be applied to this game, and nothing was written:

%2</source>
        <translation>%1 kann auf dieses Spiel nicht angewendet werden, und nichts wurde geschrieben:

%2</translation>
    </message>
    <message>
        <source>Open a pack to see what it would change.</source>
        <translation>Öffnen Sie ein Paket, um zu sehen, was es ändern würde.</translation>
    </message>
    <message>
        <source>Choose the game the pack is for.</source>
        <translation>Wählen Sie das Spiel, für das das Paket ist.</translation>
    </message>
    <message>
        <source>%1 of %2 sounds will replace their game files.</source>
        <translation>%L1 von %L2 Tönen werden ihre Spieldateien ersetzen.</translation>
    </message>
    <message>
        <source>Converting…</source>
        <translation>Umwandeln…</translation>
    </message>
    <message>
        <source>Nothing to apply: every sound of the pack the game has is in place.</source>
        <translation>Nichts anzuwenden: Jeder Ton des Pakets, den das Spiel hat, ist bereits eingesetzt.</translation>
    </message>
    <message>
        <source>Applying the pack…</source>
        <translation>Das Paket wird angewendet…</translation>
    </message>
    <message>
        <source>Taking the pack off…</source>
        <translation>Das Paket wird entfernt…</translation>
    </message>
    <message>
        <source>No file of this game holds a sound of this pack.</source>
        <translation>Keine Datei dieses Spiels enthält einen Ton dieses Pakets.</translation>
    </message>
    <message>
        <source>put back</source>
        <translation>wiederhergestellt</translation>
    </message>
    <message>
        <source>No pack was written:

%1</source>
        <translation>Es wurde kein Paket geschrieben:

%1</translation>
    </message>
    <message>
        <source>There is nothing to put in a pack.</source>
        <translation>Es gibt nichts, was in ein Paket kommen könnte.</translation>
    </message>
    <message>
        <source>The pack&apos;s name:</source>
        <translation>Der Name des Pakets:</translation>
    </message>
    <message>
        <source>Save the Sound Pack</source>
        <translation>Das Soundpaket speichern</translation>
    </message>
    <message>
        <source>Writing the pack…</source>
        <translation>Das Paket wird geschrieben…</translation>
    </message>
    <message>
        <source>The pack was not written: %1</source>
        <translation>Das Paket wurde nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>Sonaplex has replaced no file of this game that still holds its replacement.</source>
        <translation>Sonaplex hat keine Datei dieses Spiels ersetzt, die noch ihren Ersatz enthält.</translation>
    </message>
    <message>
        <source>%1 sounds</source>
        <translation>%1 Töne</translation>
    </message>
    <message>
        <source>Choose the game and the set first.</source>
        <translation>Wählen Sie zuerst das Spiel und den Satz.</translation>
    </message>
    <message>
        <source>Finding the set&apos;s files in the game…</source>
        <translation>Die Dateien des Satzes werden im Spiel gesucht…</translation>
    </message>
    <message>
        <source>Game file</source>
        <translation>Spieldatei</translation>
    </message>
    <message>
        <source>Now</source>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Will</source>
        <translation>Wird</translation>
    </message>
    <message>
        <source>&amp;Open Pack...</source>
        <translation>Paket ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open a sound pack and check it against the game.</source>
        <translation>Ein Soundpaket öffnen und mit dem Spiel abgleichen.</translation>
    </message>
    <message>
        <source>Game &amp;Folder...</source>
        <translation>Spiel&amp;ordner...</translation>
    </message>
    <message>
        <source>Choose the game folder the pack is for.</source>
        <translation>Den Spielordner wählen, für den das Paket ist.</translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation>A/B-Vergleich</translation>
    </message>
    <message>
        <source>Switch between the pack&apos;s sound and the game file at the same moment (Ctrl+B).</source>
        <translation>An derselben Stelle zwischen dem Ton des Pakets und der Spieldatei wechseln (Strg+B).</translation>
    </message>
    <message>
        <source>&amp;Apply Pack</source>
        <translation>Paket &amp;anwenden</translation>
    </message>
    <message>
        <source>Replace the game&apos;s files with the pack&apos;s sounds, in one run that can be undone.</source>
        <translation>Die Dateien des Spiels durch die Töne des Pakets ersetzen, in einem Durchgang, der rückgängig gemacht werden kann.</translation>
    </message>
    <message>
        <source>&amp;Take Pack Off</source>
        <translation>Paket en&amp;tfernen</translation>
    </message>
    <message>
        <source>Put back what the pack replaced.</source>
        <translation>Wiederherstellen, was das Paket ersetzt hat.</translation>
    </message>
    <message>
        <source>Pack This &amp;Game&apos;s Replacements...</source>
        <translation>Ersetzungen dieses &amp;Spiels verpacken...</translation>
    </message>
    <message>
        <source>Make a pack of what Sonaplex replaced in the game.</source>
        <translation>Ein Paket aus dem erstellen, was Sonaplex im Spiel ersetzt hat.</translation>
    </message>
    <message>
        <source>Pack &amp;Set...</source>
        <translation>&amp;Satz verpacken...</translation>
    </message>
    <message>
        <source>Make a pack of the chosen saved set, for the game.</source>
        <translation>Ein Paket aus dem gewählten gespeicherten Satz erstellen, für das Spiel.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation>Zum vorigen Fenster zurückkehren.</translation>
    </message>
    <message numerus="yes">
        <source> %n game file(s) another replacement changed stay as they are.</source>
        <translation>
            <numerusform> %Ln Spieldatei, die ein anderer Ersatz geändert hat, bleibt, wie sie ist.</numerusform>
            <numerusform> %Ln Spieldateien, die ein anderer Ersatz geändert hat, bleiben, wie sie sind.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> %n sound(s) differ in format from their game files.</source>
        <translation>
            <numerusform> %Ln Ton weicht im Format von seiner Spieldatei ab.</numerusform>
            <numerusform> %Ln Töne weichen im Format von ihren Spieldateien ab.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s) written to %2</source>
        <translation>
            <numerusform>%1: %Ln Ton nach %2 geschrieben</numerusform>
            <numerusform>%1: %Ln Töne nach %2 geschrieben</numerusform>
        </translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>same</source>
        <translation>gleich</translation>
    </message>
    <message>
        <source>replaced</source>
        <translation>ersetzt</translation>
    </message>
    <message>
        <source>A&amp;uthor:</source>
        <translation>A&amp;utor:</translation>
    </message>
    <message>
        <source>&amp;Description:</source>
        <translation>&amp;Beschreibung:</translation>
    </message>
</context>
<context>
    <name>FrmRestore</name>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Sonaplex/Restore Game Files</source>
        <translation>Sonaplex/Spieldateien wiederherstellen</translation>
    </message>
    <message>
        <source>The backup sets and sets in the program folder.</source>
        <translation>Die Sicherungssätze und Sätze im Programmordner.</translation>
    </message>
    <message>
        <source>Backup sets</source>
        <translation>Sicherungssätze</translation>
    </message>
    <message>
        <source>Game files replaced by Sonaplex. Their originals are kept, so any of them can be put back.</source>
        <translation>Von Sonaplex ersetzte Spieldateien. Ihre Originale werden aufbewahrt, also kann jede von ihnen wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Replaced game files</source>
        <translation>Ersetzte Spieldateien</translation>
    </message>
    <message>
        <source>Restore &amp;Set</source>
        <translation>&amp;Satz wiederherstellen</translation>
    </message>
    <message>
        <source>Put every file of the chosen backup set back where it came from.</source>
        <translation>Jede Datei des gewählten Sicherungssatzes dorthin zurücklegen, woher sie kam.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation>Zum vorigen Fenster zurückkehren.</translation>
    </message>
    <message>
        <source>Backup set:</source>
        <translation>Sicherungssatz:</translation>
    </message>
    <message>
        <source>No record of replacements is kept.</source>
        <translation>Es wird kein Protokoll der Ersetzungen geführt.</translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation>Die von Sonaplex ersetzten Spieldateien werden gelesen…</translation>
    </message>
    <message>
        <source>The list cannot be shown: %1.</source>
        <translation>Die Liste kann nicht angezeigt werden: %1.</translation>
    </message>
    <message>
        <source>No game file has been replaced yet.</source>
        <translation>Es wurde noch keine Spieldatei ersetzt.</translation>
    </message>
    <message>
        <source> Open a folder to see its files.</source>
        <translation> Öffnen Sie einen Ordner, um seine Dateien zu sehen.</translation>
    </message>
    <message>
        <source> %1 of them were not read (the reading was cancelled).</source>
        <translation> %L1 davon wurden nicht gelesen (das Lesen wurde abgebrochen).</translation>
    </message>
    <message>
        <source>The originals and copies Sonaplex keeps take %1.</source>
        <translation>Die Originale und Kopien, die Sonaplex aufbewahrt, belegen %1.</translation>
    </message>
    <message>
        <source>Restore Error</source>
        <translation>Fehler beim Wiederherstellen</translation>
    </message>
    <message>
        <source>Select the game files (or a folder) to restore first.</source>
        <translation>Wählen Sie zuerst die wiederherzustellenden Spieldateien (oder einen Ordner).</translation>
    </message>
    <message>
        <source>These files were changed since Sonaplex replaced them (by a game update or another tool):

%1

Restore them anyway? What they hold now is kept too, so this can be undone.</source>
        <translation>Diese Dateien wurden geändert, seit Sonaplex sie ersetzt hat (durch ein Spiel-Update oder ein anderes Werkzeug):

%1

Trotzdem wiederherstellen? Ihr jetziger Inhalt wird ebenfalls aufbewahrt, also lässt sich dies rückgängig machen.</translation>
    </message>
    <message>
        <source>The game folder %1 is no longer there (moved or renamed?). Put its originals into which folder?</source>
        <translation>Der Spielordner %1 ist nicht mehr vorhanden (verschoben oder umbenannt?). In welchen Ordner sollen seine Originale?</translation>
    </message>
    <message>
        <source>The selected game files already hold their originals.</source>
        <translation>Die ausgewählten Spieldateien enthalten bereits ihre Originale.</translation>
    </message>
    <message>
        <source>Putting the originals back…</source>
        <translation>Die Originale werden wiederhergestellt…</translation>
    </message>
    <message>
        <source>Select a game folder (or a file in it) to restore first.</source>
        <translation>Wählen Sie zuerst einen wiederherzustellenden Spielordner (oder eine Datei darin).</translation>
    </message>
    <message>
        <source>No game file here was changed since Sonaplex replaced it: there is nothing to replace again.</source>
        <translation>Keine Spieldatei hier wurde geändert, seit Sonaplex sie ersetzt hat: Es gibt nichts erneut zu ersetzen.</translation>
    </message>
    <message>
        <source>Replacing again…</source>
        <translation>Erneut ersetzen…</translation>
    </message>
    <message>
        <source>replaced again</source>
        <translation>erneut ersetzt</translation>
    </message>
    <message>
        <source>Undoing the last %1…</source>
        <translation>Das letzte %1 wird rückgängig gemacht…</translation>
    </message>
    <message>
        <source>Nothing was forgotten, and every kept original is still kept: %1</source>
        <translation>Nichts wurde vergessen, und jedes aufbewahrte Original wird weiter aufbewahrt: %1</translation>
    </message>
    <message>
        <source>Select the game files (or a folder) to forget first.</source>
        <translation>Wählen Sie zuerst die zu vergessenden Spieldateien (oder einen Ordner).</translation>
    </message>
    <message>
        <source>Every file Sonaplex keeps is still needed by a replaced game file: nothing can be freed. (Restore files first, then free what was kept for them.)</source>
        <translation>Jede Datei, die Sonaplex aufbewahrt, wird noch von einer ersetzten Spieldatei gebraucht: Nichts kann freigegeben werden. (Stellen Sie zuerst Dateien wieder her und geben Sie dann frei, was für sie aufbewahrt wurde.)</translation>
    </message>
    <message>
        <source>There is no backup set to restore.</source>
        <translation>Es gibt keinen Sicherungssatz zum Wiederherstellen.</translation>
    </message>
    <message>
        <source>Restore &quot;%1&quot; into which game folder?</source>
        <translation>&quot;%1&quot; in welchen Spielordner wiederherstellen?</translation>
    </message>
    <message>
        <source>new file</source>
        <translation>neue Datei</translation>
    </message>
    <message>
        <source>in a folder where Sonaplex has replaced no file</source>
        <translation>in einem Ordner, in dem Sonaplex keine Datei ersetzt hat</translation>
    </message>
    <message>
        <source>

Not restored:
%1</source>
        <translation>

Nicht wiederhergestellt:
%1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no file that can be put back.%2</source>
        <translation>&quot;%1&quot; hat keine Datei, die wiederhergestellt werden kann.%2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is an older backup set, or a set of replacements: it does not say where its files came from. Put its %2 file(s) into %3?</source>
        <translation>&quot;%1&quot; ist ein älterer Sicherungssatz oder ein Satz von Ersatzdateien: Er sagt nicht, woher seine Dateien stammen. Seine %2 Datei(en) nach %3 legen?</translation>
    </message>
    <message>
        <source>

%1%2

What the game files hold now is kept, so this can be undone.</source>
        <translation>

%1%2

Der jetzige Inhalt der Spieldateien wird aufbewahrt, also lässt sich dies rückgängig machen.</translation>
    </message>
    <message>
        <source>Putting the backup set back…</source>
        <translation>Der Sicherungssatz wird zurückgelegt…</translation>
    </message>
    <message>
        <source>&amp;Restore Selected</source>
        <translation>Auswahl &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>Put the selected game files back as they were originally.</source>
        <translation>Die ausgewählten Spieldateien in ihren ursprünglichen Zustand zurückversetzen.</translation>
    </message>
    <message>
        <source>Restore &amp;Folder</source>
        <translation>&amp;Ordner wiederherstellen</translation>
    </message>
    <message>
        <source>Put every replaced file of the selected game folder back.</source>
        <translation>Jede ersetzte Datei des ausgewählten Spielordners wiederherstellen.</translation>
    </message>
    <message>
        <source>Replace &amp;Again</source>
        <translation>Erneut erset&amp;zen</translation>
    </message>
    <message>
        <source>Put back what Sonaplex put over the selected files (all of them, when none is selected) that a game update changed since.</source>
        <translation>Wieder einsetzen, was Sonaplex über die ausgewählten Dateien gelegt hat (alle, wenn keine ausgewählt ist), die ein Spiel-Update seither geändert hat.</translation>
    </message>
    <message>
        <source>&amp;Undo Last SWITCH</source>
        <translation>Letztes SWITCH &amp;rückgängig</translation>
    </message>
    <message>
        <source>Put back exactly what the last SWITCH (or restore) overwrote.</source>
        <translation>Genau das wiederherstellen, was das letzte SWITCH (oder Wiederherstellen) überschrieben hat.</translation>
    </message>
    <message>
        <source>For&amp;get</source>
        <translation>&amp;Vergessen</translation>
    </message>
    <message>
        <source>Forget the selected files: their kept originals are deleted.</source>
        <translation>Die ausgewählten Dateien vergessen: Ihre aufbewahrten Originale werden gelöscht.</translation>
    </message>
    <message>
        <source>Free S&amp;pace...</source>
        <translation>S&amp;peicher freigeben...</translation>
    </message>
    <message>
        <source>Forget the files that hold their originals again, and delete what Sonaplex kept only for them.</source>
        <translation>Die Dateien vergessen, die wieder ihre Originale enthalten, und löschen, was Sonaplex nur für sie aufbewahrt hat.</translation>
    </message>
    <message numerus="yes">
        <source>%n replaced game file(s) in %1 folder(s).</source>
        <translation>
            <numerusform>%Ln ersetzte Spieldatei in %1 Ordner(n).</numerusform>
            <numerusform>%Ln ersetzte Spieldateien in %1 Ordner(n).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Forget %n game file(s)? Their kept originals are deleted, and they can no longer be restored from here.</source>
        <translation>
            <numerusform>%Ln Spieldatei vergessen? Ihr aufbewahrtes Original wird gelöscht, und sie kann von hier aus nicht mehr wiederhergestellt werden.</numerusform>
            <numerusform>%Ln Spieldateien vergessen? Ihre aufbewahrten Originale werden gelöscht, und sie können von hier aus nicht mehr wiederhergestellt werden.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) hold their originals again. Forget them, and delete what Sonaplex kept only for them? This frees %1. Undo can then no longer put their replacements back.</source>
        <translation>
            <numerusform>%Ln Spieldatei enthält wieder ihr Original. Sie vergessen und löschen, was Sonaplex nur für sie aufbewahrt hat? Dies gibt %1 frei. Rückgängig kann ihren Ersatz dann nicht mehr einsetzen.</numerusform>
            <numerusform>%Ln Spieldateien enthalten wieder ihre Originale. Sie vergessen und löschen, was Sonaplex nur für sie aufbewahrt hat? Dies gibt %1 frei. Rückgängig kann ihren Ersatz dann nicht mehr einsetzen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put the %n file(s) of the backup set &quot;%1&quot; back where they came from?</source>
        <translation>
            <numerusform>Die %Ln Datei des Sicherungssatzes &quot;%1&quot; dorthin zurücklegen, woher sie kam?</numerusform>
            <numerusform>Die %Ln Dateien des Sicherungssatzes &quot;%1&quot; dorthin zurücklegen, woher sie kamen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back from the backup set.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde aus dem Sicherungssatz zurückgelegt.</numerusform>
            <numerusform>%Ln Spieldateien wurden aus dem Sicherungssatz zurückgelegt.</numerusform>
        </translation>
    </message>
    <message>
        <source>put back</source>
        <translation>wiederhergestellt</translation>
    </message>
</context>
<context>
    <name>FrmSetNames</name>
    <message>
        <source>Set Name Select</source>
        <translation>Satzname wählen</translation>
    </message>
    <message>
        <source>Please select a set name not already in use</source>
        <translation>Bitte wählen Sie einen Satznamen, der noch nicht vergeben ist</translation>
    </message>
    <message>
        <source>The files to be named are gone: %1 no longer exists. Nothing was saved.</source>
        <translation>Die zu benennenden Dateien sind weg: %1 existiert nicht mehr. Nichts wurde gespeichert.</translation>
    </message>
    <message>
        <source>The set cannot be named because the program folder cannot be changed (%1).</source>
        <translation>Der Satz kann nicht benannt werden, weil der Programmordner nicht geändert werden kann (%1).</translation>
    </message>
    <message>
        <source>The set cannot be named because the disk is full (%1).</source>
        <translation>Der Satz kann nicht benannt werden, weil der Datenträger voll ist (%1).</translation>
    </message>
    <message>
        <source>The set could not be named: %1.</source>
        <translation>Der Satz konnte nicht benannt werden: %1.</translation>
    </message>
    <message>
        <source>Enter a name for your new set. </source>
        <translation>Geben Sie einen Namen für Ihren neuen Satz ein. </translation>
    </message>
    <message>
        <source>Please Enter a Set Name</source>
        <translation>Bitte geben Sie einen Satznamen ein</translation>
    </message>
    <message>
        <source> Please choose another name.</source>
        <translation> Bitte wählen Sie einen anderen Namen.</translation>
    </message>
    <message>
        <source>Save Backup Set</source>
        <translation>Sicherungssatz speichern</translation>
    </message>
    <message>
        <source>Enter Backup Set Name</source>
        <translation>Namen des Sicherungssatzes eingeben</translation>
    </message>
    <message>
        <source>Give your backup set the same name as the game you&apos;re backing up.</source>
        <translation>Geben Sie Ihrem Sicherungssatz denselben Namen wie dem Spiel, das Sie sichern.</translation>
    </message>
    <message>
        <source>IMPORTANT: Be sure to include &quot;Wav&quot; or &quot;Midi&quot; to the end of the set name for easy identification.</source>
        <translation>WICHTIG: Hängen Sie &quot;Wav&quot; oder &quot;Midi&quot; an das Ende des Satznamens, damit er leicht zu erkennen ist.</translation>
    </message>
    <message>
        <source>(BlackJackMidi, BlackJackWav, etc.)</source>
        <translation>(BlackJackMidi, BlackJackWav usw.)</translation>
    </message>
    <message>
        <source>Save Set</source>
        <translation>Satz speichern</translation>
    </message>
    <message>
        <source>Enter Set Name</source>
        <translation>Satznamen eingeben</translation>
    </message>
    <message>
        <source>NOTE: Always include the game name in the name of your set.   (Ex. BlackJack1,  BJackcosmoset, BlkJckArnold, etc.)</source>
        <translation>HINWEIS: Nehmen Sie immer den Spielnamen in den Namen Ihres Satzes auf.   (Bsp. BlackJack1,  BJackcosmoset, BlkJckArnold usw.)</translation>
    </message>
    <message>
        <source>Backup Confirmation</source>
        <translation>Sicherungsbestätigung</translation>
    </message>
    <message>
        <source>Successful backup of all selected files.</source>
        <translation>Alle ausgewählten Dateien wurden erfolgreich gesichert.</translation>
    </message>
    <message>
        <source>The backup set was saved, but not all selected files are in it.</source>
        <translation>Der Sicherungssatz wurde gespeichert, aber nicht alle ausgewählten Dateien sind darin.</translation>
    </message>
    <message>
        <source>Set Confirmation</source>
        <translation>Satzbestätigung</translation>
    </message>
    <message>
        <source>Your set has been saved.</source>
        <translation>Ihr Satz wurde gespeichert.</translation>
    </message>
</context>
<context>
    <name>FrmSplash</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Sonaplex changes the sound effects and background music of your games. Back up the original game files before you switch them.</source>
        <translation>Sonaplex ändert die Soundeffekte und die Hintergrundmusik Ihrer Spiele. Sichern Sie die Original-Spieldateien, bevor Sie sie austauschen.</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eintreten</translation>
    </message>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
</context>
<context>
    <name>FrmWavSelect</name>
    <message>
        <source>Sonaplex/Sound Effects</source>
        <translation>Sonaplex/Soundeffekte</translation>
    </message>
    <message>
        <source>Game or program files are displayed in red.</source>
        <translation>Spiel- oder Programmdateien werden rot angezeigt.</translation>
    </message>
    <message>
        <source>Replacement files are displayed in blue.</source>
        <translation>Ersatzdateien werden blau angezeigt.</translation>
    </message>
    <message>
        <source>an Effects Set</source>
        <translation>einen Effektsatz</translation>
    </message>
    <message>
        <source>Wav Selection Error</source>
        <translation>Fehler bei der Wav-Auswahl</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to Sonaplex</source>
        <translation>Zu Sonaplex zurückkehren</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Spiele</translation>
    </message>
    <message>
        <source>PC Game Download Sites</source>
        <translation>Download-Seiten für PC-Spiele</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation>Die Schritt-für-Schritt-Bildanleitung von Sonaplex.</translation>
    </message>
</context>
<context>
    <name>GameSounds</name>
    <message>
        <source>%1 is not a sound file Sonaplex knows (.wav, .ogg, .mid, ...)</source>
        <translation>%1 ist keine Tondatei, die Sonaplex kennt (.wav, .ogg, .mid, ...)</translation>
    </message>
    <message>
        <source>%1: %2 game files have this name (%3); put it in a folder as the game has it to say which</source>
        <translation>%1: %2 Spieldateien haben diesen Namen (%3); legen Sie sie in einen Ordner wie im Spiel, um zu sagen, welche</translation>
    </message>
    <message>
        <source>%1: not for %2: %3</source>
        <translation>%1: nicht für %2: %3</translation>
    </message>
    <message>
        <source>%1: not used: %2 is used for %3</source>
        <translation>%1: nicht verwendet: %2 wird für %3 verwendet</translation>
    </message>
    <message>
        <source>%1: %2 game files have this path, extensions and case aside (%3): which one it is for is not known; choose it for one of them by hand</source>
        <translation>%1: %2 Spieldateien haben diesen Pfad, Endung und Groß-/Kleinschreibung beiseite (%3): Für welche sie gedacht ist, ist nicht bekannt; wählen Sie sie für eine davon von Hand</translation>
    </message>
    <message>
        <source>%1: cannot be used: %2</source>
        <translation>%1: nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>%1 cannot be played whole: %2</source>
        <translation>%1 kann nicht ganz abgespielt werden: %2</translation>
    </message>
</context>
<context>
    <name>GameSoundsModel</name>
    <message>
        <source>changed since %1 replaced it (an update?)</source>
        <translation>geändert, seit %1 sie ersetzt hat (ein Update?)</translation>
    </message>
    <message>
        <source>replaced by %1, %2</source>
        <translation>ersetzt durch %1, %2</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Being read…</source>
        <translation>Wird gelesen…</translation>
    </message>
    <message>
        <source>original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Replacement</source>
        <translation>Ersatz</translation>
    </message>
</context>
<context>
    <name>Games</name>
    <message>
        <source>Heroic (GOG)</source>
        <translation>Heroic (GOG)</translation>
    </message>
    <message>
        <source>Heroic (Epic)</source>
        <translation>Heroic (Epic)</translation>
    </message>
    <message>
        <source>added by hand</source>
        <translation>von Hand hinzugefügt</translation>
    </message>
    <message>
        <source>skipped %1: %2</source>
        <translation>%1 übersprungen: %2</translation>
    </message>
    <message>
        <source>skipped %1: it is not JSON (%2 at byte %3)</source>
        <translation>%1 übersprungen: Es ist kein JSON (%2 bei Byte %3)</translation>
    </message>
    <message>
        <source>skipped %1 in %2: it names no absolute folder</source>
        <translation>%1 in %2 übersprungen: Es nennt keinen absoluten Ordner</translation>
    </message>
    <message>
        <source>skipped %1 in %2: its folder %3 is not there (not installed, or on a disk that is not mounted)</source>
        <translation>%1 in %2 übersprungen: Sein Ordner %3 ist nicht vorhanden (nicht installiert oder auf einem nicht eingehängten Datenträger)</translation>
    </message>
    <message>
        <source>skipped the Steam library %1 named in %2: it is not there (on a disk that is not mounted?)</source>
        <translation>Steam-Bibliothek %1 aus %2 übersprungen: Sie ist nicht vorhanden (auf einem nicht eingehängten Datenträger?)</translation>
    </message>
    <message>
        <source>skipped %1: %2 (line %3)</source>
        <translation>%1 übersprungen: %2 (Zeile %3)</translation>
    </message>
    <message>
        <source>it has no library list</source>
        <translation>sie hat keine Bibliotheksliste</translation>
    </message>
    <message>
        <source>skipped entry %1 of %2: it names no absolute folder</source>
        <translation>Eintrag %1 von %2 übersprungen: Er nennt keinen absoluten Ordner</translation>
    </message>
    <message>
        <source>it has no AppState</source>
        <translation>sie hat keinen AppState</translation>
    </message>
    <message>
        <source>skipped %1: its app id or install folder is not usable</source>
        <translation>%1 übersprungen: Seine App-ID oder sein Installationsordner ist nicht verwendbar</translation>
    </message>
    <message>
        <source>its games are not a table</source>
        <translation>ihre Spiele sind keine Tabelle</translation>
    </message>
    <message>
        <source>it has no list of games (%1)</source>
        <translation>sie hat keine Liste von Spielen (%1)</translation>
    </message>
    <message>
        <source>reading it took longer than %1 s</source>
        <translation>das Lesen dauerte länger als %1 s</translation>
    </message>
    <message>
        <source>skipped %1: no room for a copy to read (%2)</source>
        <translation>%1 übersprungen: kein Platz für eine Kopie zum Lesen (%2)</translation>
    </message>
    <message>
        <source>no room for a copy to read (%1)</source>
        <translation>kein Platz für eine Kopie zum Lesen (%1)</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>a game needs a name</source>
        <translation>ein Spiel braucht einen Namen</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
</context>
<context>
    <name>Gathering</name>
    <message>
        <source>%1 is not a name inside %2</source>
        <translation>%1 ist kein Name innerhalb von %2</translation>
    </message>
</context>
<context>
    <name>Libraries</name>
    <message>
        <source>wave files cannot be read</source>
        <translation>können Wave-Dateien nicht gelesen werden</translation>
    </message>
    <message>
        <source>sounds cannot be converted to another rate</source>
        <translation>können Töne nicht in eine andere Abtastrate umgewandelt werden</translation>
    </message>
    <message>
        <source>loudness cannot be measured</source>
        <translation>kann die Lautheit nicht gemessen werden</translation>
    </message>
    <message>
        <source>tracker modules cannot be played</source>
        <translation>können Tracker-Module nicht abgespielt werden</translation>
    </message>
</context>
<context>
    <name>LoadedLibrary</name>
    <message>
        <source>The %1 library could not be loaded (%2), so %3. Install the package %4.</source>
        <translation>Die Bibliothek %1 konnte nicht geladen werden (%2), daher %3. Installieren Sie das Paket %4.</translation>
    </message>
    <message>
        <source>The %1 library has no %2, so %3.</source>
        <translation>Die Bibliothek %1 hat kein %2, daher %3.</translation>
    </message>
</context>
<context>
    <name>LongWork</name>
    <message>
        <source>

File %1 of %2</source>
        <translation>

Datei %L1 von %L2</translation>
    </message>
    <message>
        <source>, %1 of %2</source>
        <translation>, %1 von %2</translation>
    </message>
    <message>
        <source>

Cancelling…</source>
        <translation>

Wird abgebrochen…</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Record of Replacements</source>
        <translation>Protokoll der Ersetzungen</translation>
    </message>
    <message>
        <source>Not every game file was %1. These were left as they were:</source>
        <translation>Nicht jede Spieldatei wurde %1. Diese blieben, wie sie waren:</translation>
    </message>
    <message>
        <source>No game file was %1:</source>
        <translation>Keine Spieldatei wurde %1:</translation>
    </message>
    <message>
        <source>Name Them</source>
        <translation>Benennen</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Convert and Match Loudness</source>
        <translation>Umwandeln und Lautheit angleichen</translation>
    </message>
    <message>
        <source>Copy As They Are</source>
        <translation>Unverändert kopieren</translation>
    </message>
    <message>
        <source>Loop Whole Replacements</source>
        <translation>Ersatz ganz wiederholen</translation>
    </message>
    <message>
        <source>Leave Them</source>
        <translation>So lassen</translation>
    </message>
    <message>
        <source>Nothing was changed: the game files hold these already.</source>
        <translation>Es wurde nichts geändert: Die Spieldateien enthalten diese bereits.</translation>
    </message>
    <message numerus="yes">
        <source>
… and %n more (Show Details lists them all)</source>
        <translation>
            <numerusform>
… und %Ln weitere (Details zeigen alle)</numerusform>
            <numerusform>
… und %Ln weitere (Details zeigen alle)</numerusform>
        </translation>
    </message>
    <message>
        <source>Choose Them</source>
        <translation>Auswählen</translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>it is not a Standard MIDI File</source>
        <translation>sie ist keine Standard-MIDI-Datei</translation>
    </message>
    <message>
        <source>its MIDI header is damaged</source>
        <translation>ihr MIDI-Kopf ist beschädigt</translation>
    </message>
    <message>
        <source>it uses an unknown MIDI format (%1)</source>
        <translation>sie verwendet ein unbekanntes MIDI-Format (%1)</translation>
    </message>
    <message>
        <source>its MIDI header gives no timing</source>
        <translation>ihr MIDI-Kopf gibt kein Zeitmaß an</translation>
    </message>
    <message>
        <source>the file is cut short</source>
        <translation>die Datei ist abgeschnitten</translation>
    </message>
    <message>
        <source>it holds no MIDI track</source>
        <translation>sie enthält keine MIDI-Spur</translation>
    </message>
</context>
<context>
    <name>MidiSource</name>
    <message>
        <source>MIDI files cannot be played</source>
        <translation>können MIDI-Dateien nicht abgespielt werden</translation>
    </message>
    <message>
        <source>No General MIDI SoundFont was found, so MIDI files cannot be played. Install the package timgm6mb-soundfont (or fluid-soundfont-gm), or set SONAPLEX_SOUNDFONT to a .sf2 file.</source>
        <translation>Es wurde keine General-MIDI-SoundFont gefunden, daher können MIDI-Dateien nicht abgespielt werden. Installieren Sie das Paket timgm6mb-soundfont (oder fluid-soundfont-gm), oder setzen Sie SONAPLEX_SOUNDFONT auf eine .sf2-Datei.</translation>
    </message>
    <message>
        <source>The SoundFont %1 could not be loaded, so MIDI files cannot be played.</source>
        <translation>Die SoundFont %1 konnte nicht geladen werden, daher können MIDI-Dateien nicht abgespielt werden.</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a file that can be played.</source>
        <translation>%1 ist keine abspielbare Datei.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation>%1 kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>%1 is too large to be a MIDI file.</source>
        <translation>%1 ist zu groß für eine MIDI-Datei.</translation>
    </message>
    <message>
        <source>%1 cannot be played: %2.</source>
        <translation>%1 kann nicht abgespielt werden: %2.</translation>
    </message>
    <message>
        <source>%1 holds no notes.</source>
        <translation>%1 enthält keine Noten.</translation>
    </message>
</context>
<context>
    <name>ModuleSource</name>
    <message>
        <source>%1 is not a tracker module that can be played%2.</source>
        <translation>%1 ist kein abspielbares Tracker-Modul%2.</translation>
    </message>
    <message>
        <source>%1 holds no song that can be played.</source>
        <translation>%1 enthält kein abspielbares Lied.</translation>
    </message>
</context>
<context>
    <name>OggHeaders</name>
    <message>
        <source>its comment header claims more than it holds</source>
        <translation>ihr Kommentarkopf gibt mehr an, als er enthält</translation>
    </message>
    <message>
        <source>its comment header is missing</source>
        <translation>ihr Kommentarkopf fehlt</translation>
    </message>
    <message>
        <source>it is made with a Vorbis version no decoder knows</source>
        <translation>sie ist mit einer Vorbis-Version erstellt, die kein Decoder kennt</translation>
    </message>
    <message>
        <source>it is made with an Opus version no decoder knows</source>
        <translation>sie ist mit einer Opus-Version erstellt, die kein Decoder kennt</translation>
    </message>
    <message>
        <source>it holds no sound stream Sonaplex reads</source>
        <translation>sie enthält keinen Tondatenstrom, den Sonaplex liest</translation>
    </message>
    <message>
        <source>its header gives it no channels</source>
        <translation>ihr Kopf gibt ihr keine Kanäle</translation>
    </message>
    <message>
        <source>its header gives it a sample rate of 0 Hz</source>
        <translation>ihr Kopf gibt ihr eine Abtastrate von 0 Hz</translation>
    </message>
    <message>
        <source>its last page is cut short</source>
        <translation>ihre letzte Seite ist abgeschnitten</translation>
    </message>
    <message>
        <source>it is damaged at byte %1</source>
        <translation>sie ist bei Byte %1 beschädigt</translation>
    </message>
    <message>
        <source>it does not start where an Ogg stream starts</source>
        <translation>sie beginnt nicht, wo ein Ogg-Datenstrom beginnt</translation>
    </message>
    <message>
        <source>it holds more than one stream (chained or interleaved), which Sonaplex does not read</source>
        <translation>sie enthält mehr als einen Datenstrom (verkettet oder verschachtelt), was Sonaplex nicht liest</translation>
    </message>
    <message>
        <source>its headers are cut short</source>
        <translation>ihre Köpfe sind abgeschnitten</translation>
    </message>
    <message>
        <source>its first header is larger than 1 MB</source>
        <translation>ihr erster Kopf ist größer als 1 MB</translation>
    </message>
    <message>
        <source>its comment header is larger than 1 MB</source>
        <translation>ihr Kommentarkopf ist größer als 1 MB</translation>
    </message>
    <message>
        <source>its comment header cannot be read</source>
        <translation>ihr Kommentarkopf kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>it is not an Ogg Vorbis or Opus file that can be tagged</source>
        <translation>sie ist keine Ogg-Vorbis- oder Opus-Datei, die sich markieren lässt</translation>
    </message>
    <message>
        <source>its headers share a page with its sound</source>
        <translation>ihre Köpfe teilen sich eine Seite mit ihrem Ton</translation>
    </message>
</context>
<context>
    <name>OriginalStore</name>
    <message>
        <source>%1 changed while it was kept</source>
        <translation>%1 hat sich geändert, während es aufbewahrt wurde</translation>
    </message>
</context>
<context>
    <name>Output</name>
    <message>
        <source>It is not installed.</source>
        <translation>Sie ist nicht installiert.</translation>
    </message>
    <message>
        <source>The program&apos;s audio output (%1) could not be loaded, so nothing can be heard. %2</source>
        <translation>Die Audioausgabe des Programms (%1) konnte nicht geladen werden, daher ist nichts zu hören. %2</translation>
    </message>
</context>
<context>
    <name>OutputModule</name>
    <message>
        <source>No audio output was found on this computer, so nothing can be heard. Check that a sound server (PulseAudio or PipeWire) is running.</source>
        <translation>Auf diesem Computer wurde keine Audioausgabe gefunden, daher ist nichts zu hören. Prüfen Sie, ob ein Soundserver (PulseAudio oder PipeWire) läuft.</translation>
    </message>
</context>
<context>
    <name>PackCommands</name>
    <message>
        <source>sonaplex: %1 could not be read: %2</source>
        <translation>sonaplex: %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>sonaplex: %1 is refused: %2</source>
        <translation>sonaplex: %1 wird abgelehnt: %2</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>sonaplex: the game folder %1 is not there.</source>
        <translation>sonaplex: Der Spielordner %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>Reading the pack:</source>
        <translation>Das Paket wird gelesen:</translation>
    </message>
    <message>
        <source>Checking the pack against the game:</source>
        <translation>Das Paket wird mit dem Spiel abgeglichen:</translation>
    </message>
    <message>
        <source>  (Sonaplex put %1 there%2)</source>
        <translation>  (Sonaplex hat %1 dort eingesetzt%2)</translation>
    </message>
    <message>
        <source>; --over-others replaces it</source>
        <translation>; --over-others ersetzt sie</translation>
    </message>
    <message>
        <source>                   format differs: %1</source>
        <translation>                   Format weicht ab: %1</translation>
    </message>
    <message>
        <source>pack apply takes either --convert or --as-is, not both.</source>
        <translation>pack apply nimmt entweder --convert oder --as-is an, nicht beides.</translation>
    </message>
    <message>
        <source>Converting:</source>
        <translation>Umwandeln:</translation>
    </message>
    <message>
        <source>%1: left as it is: Sonaplex put %2 there (--over-others replaces it)</source>
        <translation>%1: bleibt, wie sie ist: Sonaplex hat %2 dort eingesetzt (--over-others ersetzt sie)</translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation>%1: übersprungen: %2</translation>
    </message>
    <message>
        <source>%1: converted to the game file&apos;s format (%2)</source>
        <translation>%1: in das Format der Spieldatei umgewandelt (%2)</translation>
    </message>
    <message>
        <source>%1: copied as it is; its format differs (%2)</source>
        <translation>%1: unverändert kopiert; ihr Format weicht ab (%2)</translation>
    </message>
    <message>
        <source>sonaplex: </source>
        <translation>sonaplex: </translation>
    </message>
    <message>
        <source>Nothing to apply: every sound of the pack the game has is in place.</source>
        <translation>Nichts anzuwenden: Jeder Ton des Pakets, den das Spiel hat, ist bereits eingesetzt.</translation>
    </message>
    <message>
        <source>Applying the pack:</source>
        <translation>Das Paket wird angewendet:</translation>
    </message>
    <message>
        <source>%1: left as it is: it does not hold the pack&apos;s sound</source>
        <translation>%1: bleibt, wie sie ist: Sie enthält nicht den Ton des Pakets</translation>
    </message>
    <message>
        <source>No file under %1 holds a sound of this pack.</source>
        <translation>Keine Datei unter %1 enthält einen Ton dieses Pakets.</translation>
    </message>
    <message>
        <source>Taking the pack off:</source>
        <translation>Das Paket wird entfernt:</translation>
    </message>
    <message>
        <source>sonaplex: nothing was written.</source>
        <translation>sonaplex: Nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>sonaplex: Sonaplex has replaced no file under %1 that still holds its replacement.</source>
        <translation>sonaplex: Sonaplex hat unter %1 keine Datei ersetzt, die noch ihren Ersatz enthält.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a set&apos;s name: %2</source>
        <translation>&apos;%1&apos; ist kein Satzname: %2</translation>
    </message>
    <message>
        <source>sonaplex: there is no set named &apos;%1&apos;.</source>
        <translation>sonaplex: Es gibt keinen Satz namens &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>sonaplex: the set &apos;%1&apos; holds no sound.</source>
        <translation>sonaplex: Der Satz &apos;%1&apos; enthält keinen Ton.</translation>
    </message>
    <message>
        <source>sonaplex: %1</source>
        <translation>sonaplex: %1</translation>
    </message>
    <message>
        <source>pack takes create, check, apply or remove.</source>
        <translation>pack erwartet create, check, apply oder remove.</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s)</source>
        <translation>
            <numerusform>%1: %Ln Ton</numerusform>
            <numerusform>%1: %Ln Töne</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s) written to %2</source>
        <translation>
            <numerusform>%1: %Ln Ton nach %2 geschrieben</numerusform>
            <numerusform>%1: %Ln Töne nach %2 geschrieben</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackSession</name>
    <message>
        <source>cannot make a working folder: %1</source>
        <translation>es kann kein Arbeitsordner angelegt werden: %1</translation>
    </message>
    <message>
        <source>made for %1; %2 of its %3 sounds are in %4</source>
        <translation>erstellt für %1; %2 seiner %3 Töne sind in %4</translation>
    </message>
</context>
<context>
    <name>PlaceLists</name>
    <message>
        <source>Add Game Folder...</source>
        <translation>Spielordner hinzufügen...</translation>
    </message>
    <message>
        <source>Add a game&apos;s folder by hand, with a name: it is listed here after.</source>
        <translation>Den Ordner eines Spiels von Hand hinzufügen, mit einem Namen: Er wird danach hier aufgeführt.</translation>
    </message>
</context>
<context>
    <name>Player</name>
    <message>
        <source>No file is open.</source>
        <translation>Keine Datei ist geöffnet.</translation>
    </message>
    <message>
        <source>The audio output could not be opened.</source>
        <translation>Die Audioausgabe konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>%1 cannot be read: the decoder failed on it, or asked for more memory than any sound needs (the file may be damaged, or made to harm).</source>
        <translation>%1 kann nicht gelesen werden: Der Decoder ist daran gescheitert oder hat mehr Speicher verlangt, als irgendein Ton braucht (die Datei ist vielleicht beschädigt oder absichtlich schädlich).</translation>
    </message>
    <message>
        <source>the conversion was stopped</source>
        <translation>die Umwandlung wurde angehalten</translation>
    </message>
    <message>
        <source>%1 was not read: Sonaplex&apos;s helper was stopped from outside while it read it.</source>
        <translation>%1 wurde nicht gelesen: Das Hilfsprogramm von Sonaplex wurde von außen beendet, während es die Datei las.</translation>
    </message>
    <message>
        <source>%1 was not read: Sonaplex&apos;s helper sonaplex-probe is not installed.</source>
        <translation>%1 wurde nicht gelesen: Das Hilfsprogramm sonaplex-probe von Sonaplex ist nicht installiert.</translation>
    </message>
    <message>
        <source>%1 was not read: Sonaplex&apos;s helper sonaplex-probe did not start.</source>
        <translation>%1 wurde nicht gelesen: Das Hilfsprogramm sonaplex-probe von Sonaplex ist nicht gestartet.</translation>
    </message>
    <message>
        <source>no file was named</source>
        <translation>es wurde keine Datei genannt</translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>Record of Replacements</source>
        <translation>Protokoll der Ersetzungen</translation>
    </message>
</context>
<context>
    <name>RecordStates</name>
    <message>
        <source>the record of replaced game files (%1) could not be read%2</source>
        <translation>das Protokoll der ersetzten Spieldateien (%1) konnte nicht gelesen werden%2</translation>
    </message>
</context>
<context>
    <name>ReplaceCommand</name>
    <message>
        <source>  (by name)</source>
        <translation>  (nach Name)</translation>
    </message>
    <message>
        <source>%1: matches no sound of the game</source>
        <translation>%1: passt zu keinem Ton des Spiels</translation>
    </message>
    <message>
        <source>%1: converted to the game file&apos;s format (%2)</source>
        <translation>%1: in das Format der Spieldatei umgewandelt (%2)</translation>
    </message>
    <message>
        <source>%1: copied as it is; its format differs (%2)</source>
        <translation>%1: unverändert kopiert; ihr Format weicht ab (%2)</translation>
    </message>
    <message>
        <source>replace takes a game folder (or a game&apos;s name) and --from DIR.</source>
        <translation>replace erwartet einen Spielordner (oder den Namen eines Spiels) und --from DIR.</translation>
    </message>
    <message>
        <source>replace takes either --convert or --as-is, not both.</source>
        <translation>replace nimmt entweder --convert oder --as-is an, nicht beides.</translation>
    </message>
    <message>
        <source>sonaplex: the folder %1 is not there.</source>
        <translation>sonaplex: Der Ordner %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>No file under %1 has the path or name of a sound of the game.</source>
        <translation>Keine Datei unter %1 hat den Pfad oder Namen eines Tons des Spiels.</translation>
    </message>
    <message>
        <source>Converting:</source>
        <translation>Umwandeln:</translation>
    </message>
    <message>
        <source>Replacing:</source>
        <translation>Ersetzen:</translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced. Undo takes this back.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde ersetzt. Rückgängig nimmt dies zurück.</numerusform>
            <numerusform>%Ln Spieldateien wurden ersetzt. Rückgängig nimmt dies zurück.</numerusform>
        </translation>
    </message>
    <message>
        <source>sonaplex: %1 is not a folder.</source>
        <translation>sonaplex: %1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1: not listed: %2</source>
        <translation>%1: nicht aufgelistet: %2</translation>
    </message>
    <message>
        <source>Reading the formats:</source>
        <translation>Formate werden gelesen:</translation>
    </message>
    <message>
        <source>%1: the game loops it by tags in its file: the whole replacement is looped</source>
        <translation>%1: Das Spiel wiederholt ihn anhand von Markierungen in seiner Datei: Der ganze Ersatz wird wiederholt</translation>
    </message>
    <message>
        <source>%1: the game loops it by tags in its file and the replacement has none: the game may loop it at the wrong place (--loop-whole loops the whole replacement)</source>
        <translation>%1: Das Spiel wiederholt ihn anhand von Markierungen in seiner Datei, und der Ersatz hat keine: Das Spiel wiederholt ihn vielleicht an der falschen Stelle (--loop-whole wiederholt den ganzen Ersatz)</translation>
    </message>
</context>
<context>
    <name>ReplaceConfirm</name>
    <message>
        <source>Replacement Confirmation</source>
        <translation>Ersetzungsbestätigung</translation>
    </message>
    <message>
        <source>Replacement Successful</source>
        <translation>Ersetzung erfolgreich</translation>
    </message>
    <message>
        <source>BE SURE TO EXIT SONAPLEX BEFORE STARTING GAME.</source>
        <translation>BEENDEN SIE SONAPLEX UNBEDINGT, BEVOR SIE DAS SPIEL STARTEN.</translation>
    </message>
    <message>
        <source>NOTE: Certain games must be shut down and restarted before &quot;Switch&quot; can take effect.</source>
        <translation>HINWEIS: Manche Spiele müssen beendet und neu gestartet werden, bevor &quot;Switch&quot; wirken kann.</translation>
    </message>
</context>
<context>
    <name>ReplacedFilesModel</name>
    <message>
        <source>Game file</source>
        <translation>Spieldatei</translation>
    </message>
    <message>
        <source>Replaced by</source>
        <translation>Ersetzt durch</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Wann</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
</context>
<context>
    <name>ReplacementRecord</name>
    <message>
        <source>the SQLite driver of Qt could not be loaded</source>
        <translation>der SQLite-Treiber von Qt konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>it vanished while it was opened</source>
        <translation>es verschwand, während es geöffnet wurde</translation>
    </message>
    <message>
        <source>it could not be read to check it (%1)</source>
        <translation>es konnte zur Prüfung nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>kein Speicher mehr</translation>
    </message>
    <message>
        <source>disk I/O error</source>
        <translation>Ein-/Ausgabefehler des Datenträgers</translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation>es ist beschädigt</translation>
    </message>
    <message>
        <source>it holds a %1 named %2, which Sonaplex never writes</source>
        <translation>es enthält ein %1 namens %2, das Sonaplex nie schreibt</translation>
    </message>
    <message>
        <source>%1, and no new one could be started (%2)</source>
        <translation>%1, und es konnte kein neues angelegt werden (%2)</translation>
    </message>
    <message>
        <source>the record of replacements is not open</source>
        <translation>das Protokoll der Ersetzungen ist nicht geöffnet</translation>
    </message>
    <message>
        <source>the record of replaced game files (%1) cannot be used: %2</source>
        <translation>das Protokoll der ersetzten Spieldateien (%1) ist nicht verwendbar: %2</translation>
    </message>
    <message>
        <source>the record of replacements could not be written (%1: %2)</source>
        <translation>das Protokoll der Ersetzungen konnte nicht geschrieben werden (%1: %2)</translation>
    </message>
    <message>
        <source>SQLite gave no reason</source>
        <translation>SQLite nannte keinen Grund</translation>
    </message>
    <message>
        <source>it was written by a later version of Sonaplex (record version %1; this one reads up to %2)</source>
        <translation>es wurde von einer neueren Version von Sonaplex geschrieben (Protokollversion %1; diese liest bis Version %2)</translation>
    </message>
</context>
<context>
    <name>ReportWords</name>
    <message>
        <source>Selections %1 and %2 (%3)</source>
        <translation>Auswahl %1 und %2 (%3)</translation>
    </message>
    <message>
        <source>File %1 (%2)</source>
        <translation>Datei %1 (%2)</translation>
    </message>
    <message>
        <source>Selection %1</source>
        <translation>Auswahl %1</translation>
    </message>
    <message>
        <source>Selection %1 (%2)</source>
        <translation>Auswahl %1 (%2)</translation>
    </message>
    <message>
        <source>not replaced, because it could not be converted (%1)</source>
        <translation>nicht ersetzt, weil sie nicht umgewandelt werden konnte (%1)</translation>
    </message>
    <message>
        <source>no game file was chosen</source>
        <translation>es wurde keine Spieldatei gewählt</translation>
    </message>
    <message>
        <source>no replacement file was chosen</source>
        <translation>es wurde keine Ersatzdatei gewählt</translation>
    </message>
    <message>
        <source>the same game file is chosen more than once</source>
        <translation>dieselbe Spieldatei ist mehr als einmal gewählt</translation>
    </message>
    <message>
        <source>not copied, Selection %1 has a file of the same name</source>
        <translation>nicht kopiert, Auswahl %1 hat eine Datei desselben Namens</translation>
    </message>
    <message>
        <source>its original is no longer kept</source>
        <translation>ihr Original wird nicht mehr aufbewahrt</translation>
    </message>
    <message>
        <source>what Sonaplex put there is no longer kept, and its source no longer holds it</source>
        <translation>was Sonaplex dort eingesetzt hat, wird nicht mehr aufbewahrt, und seine Quelle enthält es nicht mehr</translation>
    </message>
    <message>
        <source>what Sonaplex put there is not found again: %1</source>
        <translation>was Sonaplex dort eingesetzt hat, wird nicht wiedergefunden: %1</translation>
    </message>
    <message>
        <source>it did not exist before, so there is nothing to put back</source>
        <translation>sie existierte vorher nicht, also gibt es nichts wiederherzustellen</translation>
    </message>
    <message>
        <source>what it held before is no longer kept</source>
        <translation>was sie vorher enthielt, wird nicht mehr aufbewahrt</translation>
    </message>
    <message>
        <source>not changed, because it no longer holds what it held when it was looked at</source>
        <translation>nicht geändert, weil sie nicht mehr enthält, was sie beim Ansehen enthielt</translation>
    </message>
    <message>
        <source>not replaced, because its present content could not be kept for undo (%1)</source>
        <translation>nicht ersetzt, weil ihr jetziger Inhalt nicht für Rückgängig aufbewahrt werden konnte (%1)</translation>
    </message>
    <message>
        <source>not replaced, because %1</source>
        <translation>nicht ersetzt, weil %1</translation>
    </message>
    <message>
        <source>not changed, because the run was cancelled</source>
        <translation>nicht geändert, weil der Durchgang abgebrochen wurde</translation>
    </message>
    <message>
        <source>not changed, because the run stopped: %1</source>
        <translation>nicht geändert, weil der Durchgang anhielt: %1</translation>
    </message>
    <message>
        <source>not replaced: %1</source>
        <translation>nicht ersetzt: %1</translation>
    </message>
    <message>
        <source>These were replaced, but the change may not survive a crash or a power cut:</source>
        <translation>Diese wurden ersetzt, aber die Änderung übersteht vielleicht keinen Absturz oder Stromausfall:</translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) cannot be opened: %2. Nothing can be replaced, restored or undone until it can; the record itself is kept as it is.</source>
        <translation>Das Protokoll der ersetzten Spieldateien (%1) kann nicht geöffnet werden: %2. Nichts kann ersetzt, wiederhergestellt oder rückgängig gemacht werden, bis es wieder geht; das Protokoll selbst bleibt, wie es ist.</translation>
    </message>
    <message>
        <source>The record of replaced game files was damaged (%1). It was moved aside to %2 and a new record was started with the %3 replacement(s) that could still be read from it: they can be restored from the restore window. The originals of any others are still kept in %4.</source>
        <translation>Das Protokoll der ersetzten Spieldateien war beschädigt (%1). Es wurde nach %2 verschoben, und ein neues Protokoll wurde mit den %3 Ersetzung(en) begonnen, die sich noch daraus lesen ließen: Sie können im Wiederherstellungsfenster wiederhergestellt werden. Die Originale aller anderen werden weiterhin in %4 aufbewahrt.</translation>
    </message>
    <message>
        <source>The record of replaced game files was damaged (%1). It was moved aside to %2 and a new record was started: nothing could be read from the old one, so files replaced before cannot be restored from the restore window, but their originals are still kept in %3.</source>
        <translation>Das Protokoll der ersetzten Spieldateien war beschädigt (%1). Es wurde nach %2 verschoben, und ein neues Protokoll wurde begonnen: Aus dem alten ließ sich nichts lesen, daher können früher ersetzte Dateien nicht im Wiederherstellungsfenster wiederhergestellt werden, aber ihre Originale werden weiterhin in %3 aufbewahrt.</translation>
    </message>
    <message>
        <source>The record of replaced game files in %1 is damaged (%2) and could not be replaced by a new one (%3). Nothing can be replaced, restored or undone until it can.</source>
        <translation>Das Protokoll der ersetzten Spieldateien in %1 ist beschädigt (%2) und konnte nicht durch ein neues ersetzt werden (%3). Nichts kann ersetzt, wiederhergestellt oder rückgängig gemacht werden, bis es wieder geht.</translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) could not be read or written: %2.</source>
        <translation>Das Protokoll der ersetzten Spieldateien (%1) konnte nicht gelesen oder geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) was deleted or replaced by another file while Sonaplex was running. Sonaplex now keeps its record in the file at that path; what was recorded since the change may be missing from it.</source>
        <translation>Das Protokoll der ersetzten Spieldateien (%1) wurde gelöscht oder durch eine andere Datei ersetzt, während Sonaplex lief. Sonaplex führt sein Protokoll jetzt in der Datei unter diesem Pfad; was seit der Änderung verzeichnet wurde, fehlt darin vielleicht.</translation>
    </message>
    <message>
        <source>not a line of a backup set&apos;s list</source>
        <translation>keine Zeile der Liste eines Sicherungssatzes</translation>
    </message>
    <message>
        <source>its name in the set leaves the set&apos;s folder</source>
        <translation>ihr Name im Satz führt aus dem Ordner des Satzes hinaus</translation>
    </message>
    <message>
        <source>not a plain absolute path of a game file</source>
        <translation>kein einfacher absoluter Pfad einer Spieldatei</translation>
    </message>
    <message>
        <source>named twice</source>
        <translation>doppelt genannt</translation>
    </message>
    <message>
        <source>only sound files (.%1) are restored</source>
        <translation>nur Tondateien (.%1) werden wiederhergestellt</translation>
    </message>
    <message>
        <source>its file in the set is not a .%1 file</source>
        <translation>ihre Datei im Satz ist keine .%1-Datei</translation>
    </message>
    <message>
        <source>its file is not in the set</source>
        <translation>ihre Datei ist nicht im Satz</translation>
    </message>
    <message>
        <source>its folder is missing or is reached through a symbolic link</source>
        <translation>ihr Ordner fehlt oder wird über einen symbolischen Link erreicht</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>sie ist ein symbolischer Link</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>no such file, and Sonaplex has replaced no file in its folder, so none is created there</source>
        <translation>keine solche Datei, und Sonaplex hat in ihrem Ordner keine Datei ersetzt, also wird dort keine angelegt</translation>
    </message>
    <message>
        <source>Line %1 (%2)</source>
        <translation>Zeile %1 (%2)</translation>
    </message>
    <message>
        <source>1 replaced file of %1 was changed, probably by an update.</source>
        <translation>1 ersetzte Datei von %1 wurde geändert, vermutlich durch ein Update.</translation>
    </message>
    <message>
        <source>%1 replaced files of %2 were changed, probably by an update.</source>
        <translation>%L1 ersetzte Dateien von %2 wurden geändert, vermutlich durch ein Update.</translation>
    </message>
    <message>
        <source>There is no SWITCH to undo.</source>
        <translation>Es gibt kein SWITCH zum Rückgängigmachen.</translation>
    </message>
    <message>
        <source>Replace Again</source>
        <translation>Erneut ersetzen</translation>
    </message>
    <message>
        <source>restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>replaced</source>
        <translation>ersetzt</translation>
    </message>
    <message>
        <source>original</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>changed since</source>
        <translation>seither geändert</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>nicht gelesen</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>A sound pack</source>
        <translation>Ein Soundpaket</translation>
    </message>
    <message>
        <source> by %1</source>
        <translation> von %1</translation>
    </message>
    <message>
        <source>, for %1</source>
        <translation>, für %1</translation>
    </message>
    <message>
        <source>the original the pack replaces</source>
        <translation>das Original, das das Paket ersetzt</translation>
    </message>
    <message>
        <source>another file than the pack expects</source>
        <translation>eine andere Datei, als das Paket erwartet</translation>
    </message>
    <message>
        <source>already this sound</source>
        <translation>bereits dieser Ton</translation>
    </message>
    <message>
        <source>another replacement</source>
        <translation>ein anderer Ersatz</translation>
    </message>
    <message>
        <source>no such game file</source>
        <translation>keine solche Spieldatei</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>ersetzen</translation>
    </message>
    <message>
        <source>nothing to do</source>
        <translation>nichts zu tun</translation>
    </message>
    <message>
        <source>keep the other replacement</source>
        <translation>den anderen Ersatz behalten</translation>
    </message>
    <message>
        <source>skip: a pack adds no files</source>
        <translation>überspringen: Ein Paket fügt keine Dateien hinzu</translation>
    </message>
    <message>
        <source>the pack is for %1, and none of its files are in %2. Nothing was changed.</source>
        <translation>das Paket ist für %1, und keine seiner Dateien ist in %2. Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>another game</source>
        <translation>ein anderes Spiel</translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back as they were originally.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde in ihren ursprünglichen Zustand zurückversetzt.</numerusform>
            <numerusform>%Ln Spieldateien wurden in ihren ursprünglichen Zustand zurückversetzt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced again. Undo takes this back.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde erneut ersetzt. Rückgängig nimmt dies zurück.</numerusform>
            <numerusform>%Ln Spieldateien wurden erneut ersetzt. Rückgängig nimmt dies zurück.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The last %1 was undone: %n game file(s) hold again what they held before it.</source>
        <translation>
            <numerusform>Das letzte %1 wurde rückgängig gemacht: %Ln Spieldatei enthält wieder, was sie davor enthielt.</numerusform>
            <numerusform>Das letzte %1 wurde rückgängig gemacht: %Ln Spieldateien enthalten wieder, was sie davor enthielten.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced from the pack.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde aus dem Paket ersetzt.</numerusform>
            <numerusform>%Ln Spieldateien wurden aus dem Paket ersetzt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back as they were before the pack.</source>
        <translation>
            <numerusform>%Ln Spieldatei wurde in den Zustand vor dem Paket zurückversetzt.</numerusform>
            <numerusform>%Ln Spieldateien wurden in den Zustand vor dem Paket zurückversetzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>it holds this already: nothing was changed</source>
        <translation>sie enthält dies bereits: Es wurde nichts geändert</translation>
    </message>
</context>
<context>
    <name>ReviewBoard</name>
    <message>
        <source>Indicate&apos;s Selection %1 game or program file.</source>
        <translation>Zeigt die Spiel- oder Programmdatei der Auswahl %1.</translation>
    </message>
    <message>
        <source>Indicate&apos;s Selection %1 replacement file.</source>
        <translation>Zeigt die Ersatzdatei der Auswahl %1.</translation>
    </message>
    <message>
        <source>Selection %1</source>
        <translation>Auswahl %1</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Ersetzen durch:</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear Selection %1 choices.</source>
        <translation>Die Angaben der Auswahl %1 löschen.</translation>
    </message>
    <message>
        <source>Format differs — %1</source>
        <translation>Format weicht ab — %1</translation>
    </message>
    <message>
        <source>The game loops this sound by tags in its file and the replacement has none: the game may loop it at the wrong place. SWITCH offers to loop the whole replacement.</source>
        <translation>Das Spiel wiederholt diesen Ton anhand von Markierungen in seiner Datei, und der Ersatz hat keine: Das Spiel wiederholt ihn vielleicht an der falschen Stelle. SWITCH bietet an, den ganzen Ersatz zu wiederholen.</translation>
    </message>
</context>
<context>
    <name>ReviewWindow</name>
    <message>
        <source>Please be sure that you have made a valid file selection.</source>
        <translation>Bitte vergewissern Sie sich, dass Sie eine gültige Dateiauswahl getroffen haben.</translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation>Fehler bei der Dateiauswahl</translation>
    </message>
    <message>
        <source>The same game file is chosen in more than one selection:

%1

A game file can be replaced by one file only. Remove the extra selection and press SWITCH again. Nothing was replaced.</source>
        <translation>Dieselbe Spieldatei ist in mehr als einer Auswahl gewählt:

%1

Eine Spieldatei kann nur durch eine Datei ersetzt werden. Entfernen Sie die überzählige Auswahl und drücken Sie erneut SWITCH. Nichts wurde ersetzt.</translation>
    </message>
    <message>
        <source>Record of Replacements</source>
        <translation>Protokoll der Ersetzungen</translation>
    </message>
    <message>
        <source>Not every game file was replaced. These were left as they were:</source>
        <translation>Nicht jede Spieldatei wurde ersetzt. Diese blieben, wie sie waren:</translation>
    </message>
    <message>
        <source>No game file was replaced:</source>
        <translation>Keine Spieldatei wurde ersetzt:</translation>
    </message>
    <message>
        <source>Replacement Error</source>
        <translation>Fehler beim Ersetzen</translation>
    </message>
</context>
<context>
    <name>RiffWalk</name>
    <message>
        <source>it is too short to be a wave file</source>
        <translation>sie ist zu kurz für eine Wave-Datei</translation>
    </message>
    <message>
        <source>it is not a wave file</source>
        <translation>sie ist keine Wave-Datei</translation>
    </message>
    <message>
        <source>its &quot;%1&quot; part claims more bytes than the file holds</source>
        <translation>ihr Teil &quot;%1&quot; gibt mehr Bytes an, als die Datei enthält</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>its format description is too short</source>
        <translation>ihre Formatbeschreibung ist zu kurz</translation>
    </message>
    <message>
        <source>it has no format description</source>
        <translation>sie hat keine Formatbeschreibung</translation>
    </message>
    <message>
        <source>it holds no sound data</source>
        <translation>sie enthält keine Tondaten</translation>
    </message>
    <message>
        <source>it is made of too many parts to be a sound file</source>
        <translation>sie besteht aus zu vielen Teilen für eine Tondatei</translation>
    </message>
    <message>
        <source>a part of its &quot;LIST&quot; information claims more bytes than the list holds</source>
        <translation>ein Teil ihrer &quot;LIST&quot;-Information gibt mehr Bytes an, als die Liste enthält</translation>
    </message>
    <message>
        <source>its &quot;LIST&quot; information is laid out so that a sound decoder would never finish reading it</source>
        <translation>ihre &quot;LIST&quot;-Information ist so angelegt, dass ein Decoder nie mit dem Lesen fertig würde</translation>
    </message>
    <message>
        <source>it holds camera (&quot;exif&quot;) information that cannot be checked</source>
        <translation>sie enthält Kamera-Informationen (&quot;exif&quot;), die sich nicht prüfen lassen</translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>the run ended before it</source>
        <translation>der Durchgang endete davor</translation>
    </message>
</context>
<context>
    <name>SamplePlayer</name>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Unknown device type &quot;%1&quot;.</source>
        <translation>Unbekannter Gerätetyp &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>
peak %1 dBFS · %2 LUFS</source>
        <translation>
Spitze %1 dBFS · %2 LUFS</translation>
    </message>
    <message>
        <source>
measuring loudness…</source>
        <translation>
Lautheit wird gemessen…</translation>
    </message>
</context>
<context>
    <name>SelectionBoard</name>
    <message>
        <source>Selection </source>
        <translation>Auswahl </translation>
    </message>
    <message>
        <source>Indicates Selection %1 game and replacement file choices.</source>
        <translation>Zeigt die Spiel- und Ersatzdatei der Auswahl %1.</translation>
    </message>
    <message>
        <source>Game File</source>
        <translation>Spieldatei</translation>
    </message>
    <message>
        <source>Set Selection %1 game or program file choice.</source>
        <translation>Die Spiel- oder Programmdatei der Auswahl %1 festlegen.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear Selection %1 choices.</source>
        <translation>Die Angaben der Auswahl %1 löschen.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>Set Selection %1 replacement choice.</source>
        <translation>Den Ersatz der Auswahl %1 festlegen.</translation>
    </message>
    <message>
        <source>Please make selections in correct order</source>
        <translation>Bitte treffen Sie die Auswahl in der richtigen Reihenfolge</translation>
    </message>
    <message>
        <source>

%1 cannot be a replacement: only a %2 that Sonaplex can play can replace a game file.</source>
        <translation>

%1 kann kein Ersatz sein: Nur eine %2, die Sonaplex abspielen kann, kann eine Spieldatei ersetzen.</translation>
    </message>
</context>
<context>
    <name>SelectionFormats</name>
    <message>
        <source>Reading the files&apos; formats…</source>
        <translation>Die Formate der Dateien werden gelesen…</translation>
    </message>
</context>
<context>
    <name>SelectionWindow</name>
    <message>
        <source>MIDI file, recording or tracker module</source>
        <translation>MIDI-Datei, Aufnahme oder Tracker-Modul</translation>
    </message>
    <message>
        <source>wave file or recording</source>
        <translation>Wave-Datei oder Aufnahme</translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation>Lautheit angleichen</translation>
    </message>
    <message>
        <source>GAME FILES</source>
        <translation>SPIELDATEIEN</translation>
    </message>
    <message>
        <source>REPLACEMENT FILES</source>
        <translation>ERSATZDATEIEN</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>When all desired selections have been made, click here to continue.</source>
        <translation>Wenn alle gewünschten Auswahlen getroffen sind, klicken Sie hier, um fortzufahren.</translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation>A/B-Vergleich</translation>
    </message>
    <message>
        <source>Switches between the highlighted game file and the highlighted replacement at the same point of the sound (Ctrl+B).</source>
        <translation>Wechselt an derselben Stelle zwischen der markierten Spieldatei und dem markierten Ersatz (Strg+B).</translation>
    </message>
    <message>
        <source>While comparing, the louder of the two plays as loud as the quieter.</source>
        <translation>Beim Vergleichen spielt der lautere der beiden so laut wie der leisere.</translation>
    </message>
    <message>
        <source>%1 is not a file this side lists.</source>
        <translation>%1 ist keine Datei, die diese Seite aufführt.</translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation>Fehler bei der Dateiauswahl</translation>
    </message>
    <message>
        <source>Open the restore window (or the game&apos;s sounds) on the game: Replace Again puts back what Sonaplex put there.</source>
        <translation>Das Wiederherstellungsfenster (oder die Töne des Spiels) für das Spiel öffnen: Erneut ersetzen setzt wieder ein, was Sonaplex dort eingesetzt hat.</translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt; &lt;a href=&quot;changed:%1&quot;&gt;Game Sounds...&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt; &lt;a href=&quot;changed:%1&quot;&gt;Spieltöne...&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>SoundNames</name>
    <message>
        <source>Ogg Vorbis</source>
        <translation>Ogg Vorbis</translation>
    </message>
    <message>
        <source>tracker module</source>
        <translation>Tracker-Modul</translation>
    </message>
    <message>
        <source>%1 is not a sound file Sonaplex knows</source>
        <translation>%1 ist keine Tondatei, die Sonaplex kennt</translation>
    </message>
    <message>
        <source>the game file is a .%1 module and %2 a .%3 one: a module is not converted, so only a .%1 module can replace it</source>
        <translation>die Spieldatei ist ein .%1-Modul und %2 ein .%3-Modul: Ein Modul wird nicht umgewandelt, also kann nur ein .%1-Modul sie ersetzen</translation>
    </message>
    <message>
        <source>%1 cannot replace the tracker module %2: a game plays a module&apos;s notes, and a recording cannot be turned into them (choose a module)</source>
        <translation>%1 kann das Tracker-Modul %2 nicht ersetzen: Ein Spiel spielt die Noten eines Moduls, und eine Aufnahme lässt sich nicht in Noten verwandeln (wählen Sie ein Modul)</translation>
    </message>
    <message>
        <source>the tracker module %1 cannot replace %2 (choose a recording)</source>
        <translation>das Tracker-Modul %1 kann %2 nicht ersetzen (wählen Sie eine Aufnahme)</translation>
    </message>
    <message>
        <source>%1 cannot replace the MIDI file %2: only a MIDI file can</source>
        <translation>%1 kann die MIDI-Datei %2 nicht ersetzen: Das kann nur eine MIDI-Datei</translation>
    </message>
    <message>
        <source>the MIDI file %1 cannot replace %2 (choose a recording)</source>
        <translation>die MIDI-Datei %1 kann %2 nicht ersetzen (wählen Sie eine Aufnahme)</translation>
    </message>
    <message>
        <source>%1 must be converted to replace %2</source>
        <translation>%1 muss umgewandelt werden, um %2 zu ersetzen</translation>
    </message>
</context>
<context>
    <name>SoundPack</name>
    <message>
        <source>%1 GiB</source>
        <translation>%1 GiB</translation>
    </message>
    <message>
        <source>%1 MiB</source>
        <translation>%1 MiB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>it has no path</source>
        <translation>er hat keinen Pfad</translation>
    </message>
    <message>
        <source>its path holds a NUL character</source>
        <translation>sein Pfad enthält ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>its path holds a control character</source>
        <translation>sein Pfad enthält ein Steuerzeichen</translation>
    </message>
    <message>
        <source>its path is absolute</source>
        <translation>sein Pfad ist absolut</translation>
    </message>
    <message>
        <source>its path holds a backslash (paths are &apos;/&apos;-separated)</source>
        <translation>sein Pfad enthält einen Backslash (Pfade werden mit &apos;/&apos; getrennt)</translation>
    </message>
    <message>
        <source>its path has an empty part</source>
        <translation>sein Pfad hat einen leeren Teil</translation>
    </message>
    <message>
        <source>its path leaves its folder (&apos;%1&apos;)</source>
        <translation>sein Pfad führt aus seinem Ordner hinaus (&apos;%1&apos;)</translation>
    </message>
    <message>
        <source>a name in its path is longer than 255 bytes</source>
        <translation>ein Name in seinem Pfad ist länger als 255 Bytes</translation>
    </message>
    <message>
        <source>its path is longer than the file system allows</source>
        <translation>ihr Pfad ist länger, als das Dateisystem erlaubt</translation>
    </message>
    <message>
        <source>it is not a sound file Sonaplex knows (.%1)</source>
        <translation>er ist keine Tondatei, die Sonaplex kennt (.%1)</translation>
    </message>
    <message>
        <source>is not JSON (%1 at byte %2)</source>
        <translation>ist kein JSON (%1 bei Byte %2)</translation>
    </message>
    <message>
        <source>is not a JSON object</source>
        <translation>ist kein JSON-Objekt</translation>
    </message>
    <message>
        <source>does not say which pack format it is (&quot;sonaplexPack&quot;)</source>
        <translation>sagt nicht, welches Paketformat es hat (&quot;sonaplexPack&quot;)</translation>
    </message>
    <message>
        <source>is of pack format %1, made by a newer Sonaplex (this one reads format %2)</source>
        <translation>hat das Paketformat %1, von einem neueren Sonaplex erstellt (dieses liest Format %2)</translation>
    </message>
    <message>
        <source>has no list of entries</source>
        <translation>hat keine Liste von Einträgen</translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation>Eintrag %1</translation>
    </message>
    <message>
        <source>names no file in the pack</source>
        <translation>nennt keine Datei im Paket</translation>
    </message>
    <message>
        <source>has no valid content hash (32 hexadecimal digits)</source>
        <translation>hat keine gültige Inhaltsprüfsumme (32 Hexadezimalziffern)</translation>
    </message>
    <message>
        <source>names the original it replaces with no valid hash</source>
        <translation>nennt das Original, das er ersetzt, ohne gültige Prüfsumme</translation>
    </message>
    <message>
        <source>is named twice</source>
        <translation>ist doppelt genannt</translation>
    </message>
    <message>
        <source>differs only in case from %1</source>
        <translation>unterscheidet sich nur in der Groß-/Kleinschreibung von %1</translation>
    </message>
    <message>
        <source>%1 is not a sound pack: not a whole zip archive (%2)</source>
        <translation>%1 ist kein Soundpaket: kein vollständiges Zip-Archiv (%2)</translation>
    </message>
    <message>
        <source>not a sound pack: it is empty</source>
        <translation>kein Soundpaket: Es ist leer</translation>
    </message>
    <message>
        <source>not a sound pack: not a whole zip archive (%1)</source>
        <translation>kein Soundpaket: kein vollständiges Zip-Archiv (%1)</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is damaged (%1)</source>
        <translation>ist beschädigt (%1)</translation>
    </message>
    <message>
        <source>does not inflate to its declared size</source>
        <translation>entpackt sich nicht auf seine angegebene Größe</translation>
    </message>
    <message>
        <source>the pack holds too many files (%1)</source>
        <translation>das Paket enthält zu viele Dateien (%1)</translation>
    </message>
    <message>
        <source>is not in the pack</source>
        <translation>ist nicht im Paket</translation>
    </message>
    <message>
        <source>cannot be read in the pack</source>
        <translation>kann im Paket nicht gelesen werden</translation>
    </message>
    <message>
        <source>is encrypted</source>
        <translation>ist verschlüsselt</translation>
    </message>
    <message>
        <source>is compressed in a way Sonaplex does not read</source>
        <translation>ist auf eine Weise komprimiert, die Sonaplex nicht liest</translation>
    </message>
    <message>
        <source>would inflate to %1, more than the %2 a pack&apos;s file may hold</source>
        <translation>würde sich auf %1 entpacken, mehr als die %2, die eine Datei eines Pakets haben darf</translation>
    </message>
    <message>
        <source>would inflate %1 times over (to %2): a pack&apos;s file inflates at most %3 times</source>
        <translation>würde sich auf das %1-Fache entpacken (auf %2): Eine Datei eines Pakets entpackt sich höchstens auf das %3-Fache</translation>
    </message>
    <message>
        <source>is not in the pack: it is not a Sonaplex sound pack</source>
        <translation>ist nicht im Paket: Es ist kein Sonaplex-Soundpaket</translation>
    </message>
    <message>
        <source>the pack has more than %1 entries</source>
        <translation>das Paket hat mehr als %1 Einträge</translation>
    </message>
    <message>
        <source>its sound %1 %2</source>
        <translation>sein Ton %1 %2</translation>
    </message>
    <message>
        <source>the pack would inflate more than %1 times over in all</source>
        <translation>das Paket würde sich insgesamt auf mehr als das %1-Fache entpacken</translation>
    </message>
    <message>
        <source>the pack would inflate to more than %1 in all</source>
        <translation>das Paket würde sich insgesamt auf mehr als %1 entpacken</translation>
    </message>
    <message>
        <source>its sound %1 cannot be read: %2</source>
        <translation>sein Ton %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>its sound %1 is damaged (%2)</source>
        <translation>sein Ton %1 ist beschädigt (%2)</translation>
    </message>
    <message>
        <source>its sound %1 does not inflate to its declared size</source>
        <translation>sein Ton %1 entpackt sich nicht auf seine angegebene Größe</translation>
    </message>
    <message>
        <source>its sound %1 does not hold what its hash names</source>
        <translation>sein Ton %1 enthält nicht, was seine Prüfsumme nennt</translation>
    </message>
    <message>
        <source>its sound cannot be written to %1: %2</source>
        <translation>sein Ton kann nicht nach %1 geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 is already there</source>
        <translation>%1 ist bereits vorhanden</translation>
    </message>
    <message>
        <source>a pack holds at most %1 sounds; this one would hold %2</source>
        <translation>ein Paket enthält höchstens %1 Töne; dieses würde %2 enthalten</translation>
    </message>
    <message>
        <source>%1 cannot be in a pack: %2</source>
        <translation>%1 kann nicht in ein Paket: %2</translation>
    </message>
    <message>
        <source>the list of this pack&apos;s sounds would take %1 MB, more than a pack may hold (%2 MB): make it of fewer sounds</source>
        <translation>die Liste der Töne dieses Pakets würde %1 MB belegen, mehr als ein Paket enthalten darf (%2 MB): Nehmen Sie weniger Töne</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1: it did not read back whole (%2%3)</source>
        <translation>%1 kann nicht geschrieben werden: Es ließ sich nicht vollständig zurücklesen (%2%3)</translation>
    </message>
    <message>
        <source>cannot write %1 to disk</source>
        <translation>%1 kann nicht auf den Datenträger geschrieben werden</translation>
    </message>
    <message>
        <source>%1: the sound Sonaplex put there is no longer kept, and %2 no longer holds it</source>
        <translation>%1: Der Ton, den Sonaplex dort eingesetzt hat, wird nicht mehr aufbewahrt, und %2 enthält ihn nicht mehr</translation>
    </message>
    <message>
        <source>no game file of this name under %1</source>
        <translation>keine Spieldatei dieses Namens unter %1</translation>
    </message>
    <message>
        <source>several game files have this name: %1</source>
        <translation>mehrere Spieldateien haben diesen Namen: %1</translation>
    </message>
    <message>
        <source>is the same game file as %1</source>
        <translation>ist dieselbe Spieldatei wie %1</translation>
    </message>
    <message>
        <source>its sound is not one the players can open: %1</source>
        <translation>sein Ton lässt sich von den Abspielern nicht öffnen: %1</translation>
    </message>
    <message>
        <source>the game file cannot be read: %1</source>
        <translation>die Spieldatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>its sound is in another container or codec than the game file, which a game cannot read as it is: it is replaced only once converted</source>
        <translation>sein Ton ist in einem anderen Container oder Codec als die Spieldatei, den ein Spiel so nicht lesen kann: Er ersetzt sie nur umgewandelt</translation>
    </message>
    <message>
        <source>keep the pack file to replace again after an update</source>
        <translation>bewahren Sie die Paketdatei auf, um nach einem Update erneut zu ersetzen</translation>
    </message>
    <message>
        <source>the pack %1 is gone: %2</source>
        <translation>das Paket %1 ist weg: %2</translation>
    </message>
    <message>
        <source>the pack %1 cannot be read (%2): %3</source>
        <translation>das Paket %1 kann nicht gelesen werden (%2): %3</translation>
    </message>
    <message>
        <source>the pack %1 no longer holds this sound (it changed since): %2</source>
        <translation>das Paket %1 enthält diesen Ton nicht mehr (es wurde seither geändert): %2</translation>
    </message>
    <message>
        <source>%1: left out: it was changed since Sonaplex replaced it (by a game update?)</source>
        <translation>%1: weggelassen: Die Datei wurde geändert, seit Sonaplex sie ersetzt hat (durch ein Spiel-Update?)</translation>
    </message>
    <message>
        <source>not listed in the game: %1</source>
        <translation>im Spiel nicht aufgelistet: %1</translation>
    </message>
</context>
<context>
    <name>Source</name>
    <message>
        <source>%1 cannot be opened: reading it took too long (the file may be damaged, or on a drive that does not answer).</source>
        <translation>%1 kann nicht geöffnet werden: Das Lesen dauerte zu lange (die Datei ist vielleicht beschädigt oder auf einem Laufwerk, das nicht antwortet).</translation>
    </message>
</context>
<context>
    <name>Staging</name>
    <message>
        <source>Unnamed </source>
        <translation>Unbenannt </translation>
    </message>
    <message>
        <source>The %1 cannot be kept: %2 cannot be written (%3). Nothing was copied.</source>
        <translation>%1 kann nicht behalten werden: %2 kann nicht geschrieben werden (%3). Nichts wurde kopiert.</translation>
    </message>
    <message>
        <source>Backup Error</source>
        <translation>Sicherungsfehler</translation>
    </message>
    <message>
        <source>Save Set Error</source>
        <translation>Fehler beim Speichern des Satzes</translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation>
... und %1 weitere</translation>
    </message>
    <message>
        <source>The files left in %1 could not be discarded: %2</source>
        <translation>Die in %1 verbliebenen Dateien konnten nicht verworfen werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 still holds %n file(s) from an earlier %2 that was never named:

%3

Name them as a %2 of their own first, or discard them? They will not be mixed into this %2.</source>
        <translation>
            <numerusform>%1 enthält noch %Ln Datei aus einem früheren Vorgang (%2), der nie benannt wurde:

%3

Sie zuerst als eigenen Vorgang (%2) benennen oder verwerfen? Sie werden nicht mit diesem Vorgang (%2) vermischt.</numerusform>
            <numerusform>%1 enthält noch %Ln Dateien aus einem früheren Vorgang (%2), der nie benannt wurde:

%3

Sie zuerst als eigenen Vorgang (%2) benennen oder verwerfen? Sie werden nicht mit diesem Vorgang (%2) vermischt.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SwitchSession</name>
    <message>
        <source>Selection %1 (%2)</source>
        <translation>Auswahl %1 (%2)</translation>
    </message>
    <message>
        <source>%1 was not read</source>
        <translation>%1 wurde nicht gelesen</translation>
    </message>
    <message>
        <source>the game file cannot be read, so its format is not known: %1</source>
        <translation>die Spieldatei kann nicht gelesen werden, ihr Format ist also nicht bekannt: %1</translation>
    </message>
    <message>
        <source>the converted copy cannot be made: no folder for passing work can be made</source>
        <translation>die umgewandelte Kopie kann nicht angelegt werden: kein Ordner für die Zwischenarbeit lässt sich anlegen</translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 %2 of %3 files</source>
        <translation>%1 %2 von %3 Dateien</translation>
    </message>
    <message>
        <source>, %1 of %2</source>
        <translation>, %1 von %2</translation>
    </message>
    <message>
        <source> (finishing: game files are changing)</source>
        <translation> (wird abgeschlossen: Spieldateien ändern sich)</translation>
    </message>
    <message>
        <source> (stopping)</source>
        <translation> (wird angehalten)</translation>
    </message>
</context>
<context>
    <name>TutorialPage</name>
    <message>
        <source>Sonaplex Step-by-Step Visual Tutorial </source>
        <translation>Sonaplex-Schritt-für-Schritt-Bildanleitung </translation>
    </message>
    <message>
        <source>Sound Effects</source>
        <translation>Soundeffekte</translation>
    </message>
    <message>
        <source>Click to go to Sound Effects.</source>
        <translation>Hier klicken, um zu den Soundeffekten zu wechseln.</translation>
    </message>
    <message>
        <source>Multimedia Controls</source>
        <translation>Multimedia-Steuerung</translation>
    </message>
    <message>
        <source>Use multimedia controls to compare midi files.</source>
        <translation>Mit der Multimedia-Steuerung Midi-Dateien vergleichen.</translation>
    </message>
    <message>
        <source>Step 6</source>
        <translation>Schritt 6</translation>
    </message>
    <message>
        <source>When all selections are made, click here to continue.</source>
        <translation>Wenn alle Auswahlen getroffen sind, hier klicken, um fortzufahren.</translation>
    </message>
    <message>
        <source>Selection Label</source>
        <translation>Auswahlanzeige</translation>
    </message>
    <message>
        <source>Indicates selections made.</source>
        <translation>Zeigt die getroffenen Auswahlen.</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Click the &quot;Remove&quot; buttons  to clear selected files.</source>
        <translation>Mit den Schaltflächen &quot;Entfernen&quot; gewählte Dateien löschen.</translation>
    </message>
    <message>
        <source>Step 5</source>
        <translation>Schritt 5</translation>
    </message>
    <message>
        <source>Repeat steps 1-4 for Selections 2 and 3 as desired.</source>
        <translation>Schritte 1-4 nach Wunsch für Auswahl 2 und 3 wiederholen.</translation>
    </message>
    <message>
        <source>Step 4</source>
        <translation>Schritt 4</translation>
    </message>
    <message>
        <source>Click to lock in replacement selection.</source>
        <translation>Hier klicken, um die Ersatzauswahl festzulegen.</translation>
    </message>
    <message>
        <source>Step 1</source>
        <translation>Schritt 1</translation>
    </message>
    <message>
        <source>Use to select game or program files.</source>
        <translation>Zum Wählen von Spiel- oder Programmdateien.</translation>
    </message>
    <message>
        <source>Step 3</source>
        <translation>Schritt 3</translation>
    </message>
    <message>
        <source>Click to lock in game file selection.</source>
        <translation>Hier klicken, um die Spieldatei festzulegen.</translation>
    </message>
    <message>
        <source>Step 2</source>
        <translation>Schritt 2</translation>
    </message>
    <message>
        <source> Use to select replacement Midi files.</source>
        <translation> Zum Wählen von Ersatz-Midi-Dateien.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Sonaplex Step-by-Step Visual Tutorial</source>
        <translation>Sonaplex-Schritt-für-Schritt-Bildanleitung</translation>
    </message>
    <message>
        <source>About Backing Up Originals</source>
        <translation>Über das Sichern der Originale</translation>
    </message>
    <message>
        <source>Replacement Label</source>
        <translation>Ersatzanzeige</translation>
    </message>
    <message>
        <source>Indicates selected replacement files.</source>
        <translation>Zeigt die gewählten Ersatzdateien.</translation>
    </message>
    <message>
        <source>Game Label</source>
        <translation>Spielanzeige</translation>
    </message>
    <message>
        <source>Indicates selected game or program files.</source>
        <translation>Zeigt die gewählten Spiel- oder Programmdateien.</translation>
    </message>
    <message>
        <source>Click here to return to previous window. </source>
        <translation>Hier klicken, um zum vorigen Fenster zurückzukehren. </translation>
    </message>
    <message>
        <source>If desired, click here to add a replacement midi file to the Favorite Midi directory. (Selections shown in blue)</source>
        <translation>Nach Wunsch hier klicken, um eine Ersatz-Midi-Datei dem Favoriten-Midi-Verzeichnis hinzuzufügen. (Auswahl blau dargestellt)</translation>
    </message>
    <message>
        <source>When adding files to favorites, click either one of the three  &quot;Remove&quot;  buttons to clear an unwanted selection from the list.</source>
        <translation>Beim Hinzufügen zu den Favoriten eine der drei Schaltflächen  &quot;Entfernen&quot;  klicken, um eine unerwünschte Auswahl aus der Liste zu löschen.</translation>
    </message>
    <message>
        <source>Click here to complete the replacement process.</source>
        <translation>Hier klicken, um den Ersetzungsvorgang abzuschließen.</translation>
    </message>
    <message>
        <source>Click here to backup  game files.</source>
        <translation>Hier klicken, um  Spieldateien zu sichern.</translation>
    </message>
    <message>
        <source>(USE ONLY WITH ORIGINALS!)</source>
        <translation>(NUR MIT ORIGINALEN VERWENDEN!)</translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial</source>
        <translation>Die Sonaplex-Schritt-für-Schritt-Bildanleitung</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Return to Sonaplex-Background Music .</source>
        <translation>Zurück zu Sonaplex-Hintergrundmusik .</translation>
    </message>
    <message>
        <source>Use multimedia controls to compare wav files.</source>
        <translation>Mit der Multimedia-Steuerung Wav-Dateien vergleichen.</translation>
    </message>
    <message>
        <source>Click the &quot;Remove&quot; button to clear selected files.</source>
        <translation>Mit der Schaltfläche &quot;Entfernen&quot; gewählte Dateien löschen.</translation>
    </message>
    <message>
        <source>Repeat steps 1-4 for Selections 2-6 as desired.</source>
        <translation>Schritte 1-4 nach Wunsch für Auswahl 2-6 wiederholen.</translation>
    </message>
    <message>
        <source>Click to lock in game  file selection.</source>
        <translation>Hier klicken, um die  Spieldatei festzulegen.</translation>
    </message>
    <message>
        <source> Use to select replacement wav files.</source>
        <translation> Zum Wählen von Ersatz-Wav-Dateien.</translation>
    </message>
    <message>
        <source>About Saving Sets</source>
        <translation>Über das Speichern von Sätzen</translation>
    </message>
    <message>
        <source>Indicates selected replacement file.</source>
        <translation>Zeigt die gewählte Ersatzdatei.</translation>
    </message>
    <message>
        <source>Identifies selected game  file.</source>
        <translation>Kennzeichnet die gewählte  Spieldatei.</translation>
    </message>
    <message>
        <source>If you&apos;re happy with the current chosen set and would like to use it again later for the same game, click here to save the set.</source>
        <translation>Wenn Ihnen der gewählte Satz gefällt und Sie ihn später für dasselbe Spiel wieder verwenden möchten, hier klicken, um ihn zu speichern.</translation>
    </message>
    <message>
        <source>Click either one of the six  &quot;Remove&quot;  buttons to clear any unwanted selections from the list.</source>
        <translation>Eine der sechs Schaltflächen  &quot;Entfernen&quot;  klicken, um unerwünschte Auswahlen aus der Liste zu löschen.</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Hinweis:</translation>
    </message>
    <message>
        <source>When using backup, it is not necessary to be in the &quot;Switch&quot; process in order to backup your files. If you like, you can backup all of your game files ahead of time. Just go through the steps set forth previously but do not add replacement files to the list. Select only game files. Click on &quot;Next&quot; and you&apos;ll  be brought to the backup completion mode just as you would if you had selected replacement files.</source>
        <translation>Zum Sichern müssen Sie nicht mitten im &quot;Switch&quot;-Vorgang sein. Wenn Sie möchten, können Sie alle Ihre Spieldateien vorab sichern. Gehen Sie die bisherigen Schritte durch, fügen Sie der Liste aber keine Ersatzdateien hinzu. Wählen Sie nur Spieldateien. Klicken Sie auf &quot;Weiter&quot;, und Sie gelangen zum Abschluss der Sicherung, so als hätten Sie Ersatzdateien gewählt.</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>It is extremely important that you back up your original game files so you don&apos;t permanently lose them when you make the switch. The Sonaplex midi backup allows for the backup of 3 files at a time and stores them in the Sonaplex program directory into a folder which you name.  It is also CRITICAL that when you choose to use the backup option for a particular game, that you backup all files at the same time. To protect your originals from ever being overwritten a backup can only be performed one time. If you need to backup more files for the same game, you will need to give the second backup folder a different name, similar to the original. (BJackMidibck1 and BJackMidibck2)</source>
        <translation>Es ist äußerst wichtig, dass Sie Ihre Original-Spieldateien sichern, damit Sie sie beim Austauschen nicht für immer verlieren. Die Midi-Sicherung von Sonaplex sichert 3 Dateien auf einmal und legt sie im Sonaplex-Programmverzeichnis in einem Ordner ab, den Sie benennen. Es ist auch ENTSCHEIDEND, dass Sie, wenn Sie die Sicherung für ein bestimmtes Spiel verwenden, alle Dateien zugleich sichern. Damit Ihre Originale nie überschrieben werden, kann eine Sicherung nur einmal ausgeführt werden. Wenn Sie weitere Dateien desselben Spiels sichern müssen, geben Sie dem zweiten Sicherungsordner einen anderen, dem ersten ähnlichen Namen. (BJackMidibck1 und BJackMidibck2)</translation>
    </message>
    <message>
        <source>When using backup, it isn&apos;t necessary to be in the &quot;Switch&quot; process in order to backup your files. If you like, you can backup your game files ahead of time. Just go through the steps set forth previously, but do not add replacement files to the list. Select game files only. Click  &quot;Next&quot; and you&apos;ll  be brought to the backup completion mode just as you would if you had selected replacement files.</source>
        <translation>Zum Sichern müssen Sie nicht mitten im &quot;Switch&quot;-Vorgang sein. Wenn Sie möchten, können Sie Ihre Spieldateien vorab sichern. Gehen Sie die bisherigen Schritte durch, fügen Sie der Liste aber keine Ersatzdateien hinzu. Wählen Sie nur Spieldateien. Klicken Sie  &quot;Weiter&quot;, und Sie gelangen zum Abschluss der Sicherung, so als hätten Sie Ersatzdateien gewählt.</translation>
    </message>
    <message>
        <source>It is extremely important that you back up your original game files so you don&apos;t permanently lose them when you make the switch. The Sonaplex wav backup allows for the backup of 6 files at a time and stores them in the Sonaplex program directory into a folder which you name. It is also CRITICAL that when you choose to use the backup option for a particular game, that you backup all files at the same time. To protect your originals from ever being overwritten a backup can only be performed once. If you need to backup more files for the same game, you will need to give the second backup folder a different name, similar to the original. (BJackWavbck1 and BJackWavbck2)</source>
        <translation>Es ist äußerst wichtig, dass Sie Ihre Original-Spieldateien sichern, damit Sie sie beim Austauschen nicht für immer verlieren. Die Wav-Sicherung von Sonaplex sichert 6 Dateien auf einmal und legt sie im Sonaplex-Programmverzeichnis in einem Ordner ab, den Sie benennen. Es ist auch ENTSCHEIDEND, dass Sie, wenn Sie die Sicherung für ein bestimmtes Spiel verwenden, alle Dateien zugleich sichern. Damit Ihre Originale nie überschrieben werden, kann eine Sicherung nur einmal ausgeführt werden. Wenn Sie weitere Dateien desselben Spiels sichern müssen, geben Sie dem zweiten Sicherungsordner einen anderen, dem ersten ähnlichen Namen. (BJackWavbck1 und BJackWavbck2)</translation>
    </message>
    <message>
        <source>Using Sets</source>
        <translation>Sätze verwenden</translation>
    </message>
    <message>
        <source>You&apos;ll notice by looking at Figures 1 and 2, that the set that was saved (Figure 2) and the actual game directory,  (Figure 1) both contain the same file names. This makes it easy to switch the files when you&apos;d like to use the set again. Sets are created using the original file names and added to a directory which you name. The set directory is kept in the Sonaplex program directory for easy access at a later date. When you&apos;d like to use the set again, just select the 1st file in the replacement list and click on &quot;Selection 1/ Replace&quot;, then select the corresponding file in the game list and click on &quot;Selection 1/Game File&quot;. Continue the process with the remaining files in your set until all desired selections have been made. Then move on with the &quot;Next&quot; button to complete the replacement process.</source>
        <translation>Wie Abbildung 1 und 2 zeigen, enthalten der gespeicherte Satz (Abbildung 2) und das eigentliche Spielverzeichnis (Abbildung 1) dieselben Dateinamen. So lassen sich die Dateien leicht austauschen, wenn Sie den Satz wieder verwenden möchten. Sätze werden mit den ursprünglichen Dateinamen angelegt und einem Verzeichnis hinzugefügt, das Sie benennen. Das Satzverzeichnis liegt im Sonaplex-Programmverzeichnis, damit Sie später leicht darauf zugreifen. Um den Satz wieder zu verwenden, wählen Sie die erste Datei der Ersatzliste und klicken auf &quot;Auswahl 1/Ersetzen&quot;, dann wählen Sie die entsprechende Datei der Spielliste und klicken auf &quot;Auswahl 1/Spieldatei&quot;. Fahren Sie so mit den übrigen Dateien Ihres Satzes fort, bis alle gewünschten Auswahlen getroffen sind. Schließen Sie dann mit &quot;Weiter&quot; den Ersetzungsvorgang ab.</translation>
    </message>
    <message>
        <source>Naming Sets</source>
        <translation>Sätze benennen</translation>
    </message>
    <message>
        <source>Be sure to add the name of the game you&apos;re saving the set for to the set name.  Otherwise when you decide to use the set at a later date, you most likely won&apos;t remember which game you saved it for.  Figure 2 gives you one example of how you can reference the game in the set name making it easy to select the set when you would like to use it later.</source>
        <translation>Nehmen Sie den Namen des Spiels, für das Sie den Satz speichern, in den Satznamen auf. Sonst wissen Sie später, wenn Sie den Satz verwenden möchten, wahrscheinlich nicht mehr, für welches Spiel Sie ihn gespeichert haben. Abbildung 2 zeigt ein Beispiel, wie der Satzname auf das Spiel verweisen kann, damit Sie den Satz später leicht finden.</translation>
    </message>
    <message>
        <source>&quot;MrPatt&quot; identifies the game to which the set belongs, and &quot;TZone&quot; uses a key word to describe one key characteristic about the set. Such as one specific sound effect that stands out above the others.</source>
        <translation>&quot;MrPatt&quot; nennt das Spiel, zu dem der Satz gehört, und &quot;TZone&quot; beschreibt mit einem Stichwort eine Eigenheit des Satzes, etwa einen Soundeffekt, der besonders heraussticht.</translation>
    </message>
    <message>
        <source>Figure 2</source>
        <translation>Abbildung 2</translation>
    </message>
    <message>
        <source>Figure 1</source>
        <translation>Abbildung 1</translation>
    </message>
    <message>
        <source>Picture of the window %1</source>
        <translation>Bild des Fensters %1</translation>
    </message>
    <message>
        <source>Replaced Game Files</source>
        <translation>Ersetzte Spieldateien</translation>
    </message>
    <message>
        <source>Every game file Sonaplex replaced, by folder. Open a folder to see its files.</source>
        <translation>Jede von Sonaplex ersetzte Spieldatei, nach Ordnern. Öffnen Sie einen Ordner, um seine Dateien zu sehen.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Select files or a folder, then put their originals back.</source>
        <translation>Dateien oder einen Ordner wählen, dann ihre Originale wiederherstellen.</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Puts back exactly what the last SWITCH or restore overwrote.</source>
        <translation>Stellt genau das wieder her, was das letzte SWITCH oder Wiederherstellen überschrieben hat.</translation>
    </message>
    <message>
        <source>After a Game Update</source>
        <translation>Nach einem Spiel-Update</translation>
    </message>
    <message>
        <source>An update may put the game&apos;s own sounds back: a notice says so. Replace Again puts yours back.</source>
        <translation>Ein Update setzt vielleicht die Töne des Spiels wieder ein: Ein Hinweis sagt es. Erneut ersetzen setzt Ihre wieder ein.</translation>
    </message>
    <message>
        <source>Backup Sets</source>
        <translation>Sicherungssätze</translation>
    </message>
    <message>
        <source>Puts a backup set&apos;s files back where they came from.</source>
        <translation>Legt die Dateien eines Sicherungssatzes dorthin zurück, woher sie kamen.</translation>
    </message>
    <message>
        <source>Free Space</source>
        <translation>Speicher freigeben</translation>
    </message>
    <message>
        <source>Forgets files that hold their originals again, and deletes what was kept for them.</source>
        <translation>Vergisst Dateien, die wieder ihre Originale enthalten, und löscht, was für sie aufbewahrt wurde.</translation>
    </message>
    <message>
        <source>Open a Pack</source>
        <translation>Ein Paket öffnen</translation>
    </message>
    <message>
        <source>Opens a .sonaplexpack file and checks it against the game. Nothing is written yet.</source>
        <translation>Öffnet eine .sonaplexpack-Datei und gleicht sie mit dem Spiel ab. Noch wird nichts geschrieben.</translation>
    </message>
    <message>
        <source>The Game</source>
        <translation>Das Spiel</translation>
    </message>
    <message>
        <source>Choose the game the pack is for.</source>
        <translation>Wählen Sie das Spiel, für das das Paket ist.</translation>
    </message>
    <message>
        <source>What Will Change</source>
        <translation>Was sich ändert</translation>
    </message>
    <message>
        <source>Each game file, what it holds now and what applying does. Select one to listen to both.</source>
        <translation>Jede Spieldatei, was sie jetzt enthält und was das Anwenden tut. Wählen Sie eine, um beide anzuhören.</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Replaces the game&apos;s files in one run; Undo in Restore takes it back.</source>
        <translation>Ersetzt die Dateien des Spiels in einem Durchgang; Rückgängig im Wiederherstellungsfenster nimmt ihn zurück.</translation>
    </message>
    <message>
        <source>Take Off</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Puts back what the pack replaced.</source>
        <translation>Stellt wieder her, was das Paket ersetzt hat.</translation>
    </message>
    <message>
        <source>Make a Pack</source>
        <translation>Ein Paket erstellen</translation>
    </message>
    <message>
        <source>Makes a pack of what Sonaplex replaced in a game, or of a saved set.</source>
        <translation>Erstellt ein Paket aus dem, was Sonaplex in einem Spiel ersetzt hat, oder aus einem gespeicherten Satz.</translation>
    </message>
    <message>
        <source>Choose an installed game, or a game&apos;s folder.</source>
        <translation>Wählen Sie ein installiertes Spiel oder den Ordner eines Spiels.</translation>
    </message>
    <message>
        <source>Its Sounds</source>
        <translation>Seine Töne</translation>
    </message>
    <message>
        <source>Every sound file of the game, with its format and state. Filter them by path or by state.</source>
        <translation>Jede Tondatei des Spiels, mit Format und Zustand. Filtern Sie sie nach Pfad oder Zustand.</translation>
    </message>
    <message>
        <source>Choose Replacements</source>
        <translation>Ersatz wählen</translation>
    </message>
    <message>
        <source>Choose a file for the selected sounds, or match a whole folder of yours to them.</source>
        <translation>Wählen Sie eine Datei für die ausgewählten Töne, oder ordnen Sie ihnen einen ganzen Ordner von Ihnen zu.</translation>
    </message>
    <message>
        <source>Listen</source>
        <translation>Anhören</translation>
    </message>
    <message>
        <source>Compare a game sound and its replacement A/B.</source>
        <translation>Einen Spielton und seinen Ersatz A/B vergleichen.</translation>
    </message>
    <message>
        <source>SWITCH</source>
        <translation>SWITCH</translation>
    </message>
    <message>
        <source>Replaces every sound that has a replacement, in one run that can be undone.</source>
        <translation>Ersetzt jeden Ton, der einen Ersatz hat, in einem Durchgang, der rückgängig gemacht werden kann.</translation>
    </message>
    <message>
        <source>Replace Again puts back what an update changed.</source>
        <translation>Erneut ersetzen setzt wieder ein, was ein Update geändert hat.</translation>
    </message>
</context>
<context>
    <name>UpdateNotifications</name>
    <message>
        <source>A game update undid replacements</source>
        <translation>Ein Spiel-Update hat Ersetzungen rückgängig gemacht</translation>
    </message>
</context>
<context>
    <name>Waveform</name>
    <message>
        <source>Waveform</source>
        <translation>Wellenform</translation>
    </message>
    <message>
        <source>The whole sound; click to play from there.</source>
        <translation>Der ganze Ton; klicken Sie, um von dort abzuspielen.</translation>
    </message>
</context>
<context>
    <name>WindowParts</name>
    <message>
        <source>Restore...</source>
        <translation>Wiederherstellen...</translation>
    </message>
    <message>
        <source>See every game file Sonaplex replaced and put back originals (Ctrl+R).</source>
        <translation>Jede von Sonaplex ersetzte Spieldatei sehen und Originale wiederherstellen (Strg+R).</translation>
    </message>
    <message>
        <source>Game Sounds...</source>
        <translation>Spieltöne...</translation>
    </message>
    <message>
        <source>Every sound of a game in one list, each replaced as you choose (Ctrl+G).</source>
        <translation>Jeder Ton eines Spiels in einer Liste, jeder ersetzt, wie Sie wählen (Strg+G).</translation>
    </message>
    <message>
        <source>Packs...</source>
        <translation>Pakete...</translation>
    </message>
    <message>
        <source>Open, check, apply and make sound packs (Ctrl+K).</source>
        <translation>Soundpakete öffnen, prüfen, anwenden und erstellen (Strg+K).</translation>
    </message>
</context>
<context>
    <name>ZipApi</name>
    <message>
        <source>sound packs cannot be read or made</source>
        <translation>können Soundpakete nicht gelesen oder erstellt werden</translation>
    </message>
</context>
</TS>
