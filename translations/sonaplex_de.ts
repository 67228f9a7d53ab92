<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Analysis</name>
    <message>
        <source>%1 channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ogg Vorbis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not WAV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 kbps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> VBR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> CBR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loops %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loops from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>32-bit float</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>64-bit float</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMA ADPCM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MS ADPCM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GSM 6.10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G.721 ADPCM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MPEG audio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MIDI format %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 General MIDI instrument</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 General MIDI instruments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and drums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 tracks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>game: %1; replacement: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a sound file Sonaplex knows (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wave, MIDI, Ogg Vorbis, Opus, FLAC, MP3 or a tracker module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no sound that can be played</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AudioFile</name>
    <message>
        <source>it has %1 channels, more than the %2 sound cards play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not %2 file that can be played.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds %2, not the %3 its name says: a game would not read it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an Ogg stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no Opus stream</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds FLAC in Ogg, which Sonaplex does not read (a .flac file is read)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sample rate (%1 Hz) is outside what sound cards play (%2 to %3 Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a sound file that can be played.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file that can be played.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than any tracker module (%2 MB).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be played: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not %2 file that can be played (%3).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be played: its sample rate (%2 Hz) is outside what sound cards play (%3 to %4 Hz).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be played: it claims to last %2 hours, more than its %3 bytes can hold.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BackupManifest</name>
    <message>
        <source>cannot write in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BackupSets</name>
    <message>
        <source>%1: the original Sonaplex kept, not the current replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the current replacement, as its original is no longer kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: as it is now; it was changed since Sonaplex replaced it, so it may not be the original</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BackupWindow</name>
    <message>
        <source>Sonaplex also keeps every original it replaces; see Restore.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete the backup process.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game files are selected, so there is nothing to back up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backing up the game files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup set will not remember where its files came from: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files could not be backed up and are not in the backup set:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These are in the backup set, but may not survive a crash or a power cut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file was backed up, so no backup set was saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BrowserPane</name>
    <message>
        <source> files. NOTE: To repeat a selection you must click on it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display&apos;s the directories on your hard drive. Access a game directory or program directory from this list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the game files you wish to replace from this list box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample game or program </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display&apos;s the directories on your hard drive. Access a replacement directory or </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> from this list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the files you wish to use as replacements from this list box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample replacement </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds of this game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List every sound file of the game shown, in all its folders (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Sounds...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please insert a disk or CD.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drive Not Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Game Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which folder holds the game?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game&apos;s name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder could not be added: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
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
  replace FOLDER|GAME --from DIR [--convert | --as-is] [--dry-run]
                                replaces the game&apos;s sounds with the files of DIR that have
                                their paths inside the game, or else their names (extensions
                                and case aside), in one run (&apos;undo&apos; takes it back); formats
                                are handled as by &apos;pack apply&apos;; --dry-run only lists the matches
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;sonaplex --help&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the program folder %1 is not there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the record of replacements cannot be used: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the game files:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: &apos;%1&apos; names more than one game; give its folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: %1 is not a folder, nor an installed game&apos;s name or id, nor a folder where Sonaplex replaced files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>status takes one folder, or a game&apos;s name or id.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game file under %1 has been replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (by </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The originals and copies Sonaplex keeps take %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: stopped; the files not read are listed as not-read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not take %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: stopped; nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore takes a folder (or a game&apos;s name or id), then --all or the files to restore.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore takes either --all or the files to restore, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore %1 needs --all, or the files to restore after it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: Sonaplex has not replaced this file under %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed since Sonaplex replaced it; what it holds now is kept, so &apos;sonaplex undo&apos; takes this back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not put back, because its folder is no longer there (moved or renamed?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game files under %1 already hold their originals.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting the originals back:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reapply takes one folder, or a game&apos;s name or id.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: %1 is neither a folder nor an installed game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing Sonaplex put under %1 was changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing again:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>undo takes no arguments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing the last %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>check takes the sound files to look at.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  peak %1 dBFS · %2 LUFS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sounds takes one folder, or a game&apos;s name or id.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (Sonaplex put %1 there, %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sound file under %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>games takes no arguments.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No installed game was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, build </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  %1 replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 changed since, probably by an update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: there is no display to open the windows on.
Start Sonaplex from a desktop session, or give it one of these commands, which need none.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--program-folder needs a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no command given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a command.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentHash</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Conversion</name>
    <message>
        <source>there is not enough memory to convert it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Convert</name>
    <message>
        <source>resampling failed (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read as a recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game file&apos;s format (%1) cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the converted copy cannot be written (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the resampler cannot start (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the conversion was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the converted copy cannot be written (disk full?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the converted copy cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the loop points cannot be written (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>
This name cannot be read as UTF-8 (it was written in another character set): rename the file to use it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced by %1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Holds its original again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since Sonaplex replaced it on %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FilesPosix</name>
    <message>
        <source>The name is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A set name cannot contain &quot;/&quot; or &quot;\&quot;: the set would not be one folder in the program folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A set name cannot contain control characters such as tabs or line breaks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot reach %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write in the folder of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot give the copy of %1 the permissions of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no replacement file was chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no game file was chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot copy %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot replace %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot replace %1: no free temporary name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no copy of %1 was made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write the folder %1 to disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB: not what it should be</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the name of %1 cannot be read as UTF-8 (it was written in another character set): rename the file to use it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder inside %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot rename %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path is longer than the file system allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game folder %1 cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be looked at (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; differs only in case from &apos;%2&apos;, which the game already has</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game file is a symbolic link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game file is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a symbolic link that leads nowhere</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is a symbolic link to %2, outside the game folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormatConversion</name>
    <message>
        <source>These replacements are not in the format of the game files they replace:

%1

A game reads each file in the format its name says, so some of them cannot be copied as they are. Convert them to the game files&apos; formats?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These replacements are not in the format of the game files they replace:

%1

A game may play them wrongly or not at all. Convert them to the game files&apos; formats, or copy them as they are?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game loops these sounds by tags in their files, and their replacements have none, so the game may loop them at the wrong place:

%1

Loop the whole of each replacement?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting the replacements…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing the game files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmAbout</name>
    <message>
        <source>Linux</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Sonaplex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created by the Sonaplex developers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For more information about the program,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>read its guide:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the Sonaplex guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program could be started to show %1.
Open it with a text viewer or a web browser.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmBackups</name>
    <message>
        <source>Wav Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Original Game Files Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Midi Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup original game files only.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmConfirmations</name>
    <message>
        <source>Add to Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Successfully added to favorites</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmCopyMidi</name>
    <message>
        <source>Sonaplex/Background Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please be certain that the &quot;Selection&quot; entries are Game Files and not Replacement Midi&apos;s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACKUP ORIGINAL GAME FILES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete the replacement process.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to Favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you&apos;d like to make a selection more easily accessible, click here to add it to your Favorite Midi directory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to previous window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your favorites already hold other files of these names:

%1

Replace them with the new ones?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every file was added to your favorites:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These are in your favorites, but may not survive a crash or a power cut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Favorites Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no replacement files to add to your favorites.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmCopyWavs</name>
    <message>
        <source>Sonaplex/Sound Effects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please be certain that the &quot;Selection&quot; entries are Game Files and not Replacement Wav&apos;s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BACKUP ORIGINAL GAME FILES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete the replacement process.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a set with chosen replacement files for easy accessibility at a later date. REFER TO &quot;HELP&quot;/&quot;ABOUT SAVING SETS&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to previous window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No selection has both a game file and a replacement, so there is no set to save.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Set Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gathering the set…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files could not be added and are not in the set:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These are in the set, but may not survive a crash or a power cut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file could be added, so no set was saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmGame</name>
    <message>
        <source>Game Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonaplex/Game Sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play on select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game whose sounds are listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter by path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows only the sounds whose path holds this text (Ctrl+F).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed by an update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which sounds to show, by their state.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds of the game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While comparing, the louder of the two plays as loud as the quieter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving through the list plays each game sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switches between the game sound and its replacement at the same point of the sound (Ctrl+B).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which folder holds the game?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is not there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a game, or a game&apos;s folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sound file in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Reading their formats: %1 of %2…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot replace %2: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the sounds to replace first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the Replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound files (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which folder holds your sounds?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Matching your sounds to the game&apos;s…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sound file in %1 has the path or name of a sound of this game.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (by name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of your sounds match sounds of this game:

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Not used:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Choose them as the replacements? Nothing is replaced until SWITCH.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacement Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a replacement for at least one sound first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No record of replacements is kept: nothing can be replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the formats…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select sounds that Sonaplex replaced to restore them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were changed since Sonaplex replaced them (by a game update or another tool):

%1

Restore them anyway? What they hold now is kept too, so this can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting the originals back…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing the last %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No sound here was changed since Sonaplex replaced it: there is nothing to replace again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing again…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replaced again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose &amp;Replacement...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the file that replaces the selected sounds (Enter).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace from &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match a folder of your sounds to the game&apos;s, by their paths inside the game, then by their names.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear Replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the replacements of the selected sounds (Delete).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace every sound that has a replacement chosen, in one run.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore &amp;Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the selected sounds back as they were originally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Last SWITCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back exactly what the last SWITCH (or restore) overwrote.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace &amp;Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back what Sonaplex put over the selected sounds (all of them, when none is selected) that a game update changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make &amp;Pack...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a sound pack of what Sonaplex replaced in this game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n sound file(s) found so far…</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sound file(s): %1 replaced, %2 changed by an update, %3 to replace.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>

%n file(s) match no sound of the game.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced. Undo takes this back.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FrmGameLinks</name>
    <message>
        <source>Download %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL Retrieval</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmMidi</name>
    <message>
        <source>Sonaplex/Background Music</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your Favorite Midi Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Midi Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound Effects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Sonaplex-Sound Effects.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Game Download Sites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmPacks</name>
    <message>
        <source>Sound Packs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound packs (*.sonaplexpack)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonaplex/Sound Packs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No pack is open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace files other &amp;replacements changed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Con&amp;vert sounds to their game file&apos;s format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pack&apos;s sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game the pack is checked against and applied to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pack&apos;s sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files another pack or a SWITCH replaced are left as they are unless this is ticked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sounds whose format differs from their game file&apos;s are converted to it; otherwise they are copied as they are (a sound in another container or codec, Ogg Vorbis for a wave file say, is always converted).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved sets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Who made the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the pack changes, shown to whoever opens it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Written into the next pack made here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a Sound Pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the pack…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be used, and nothing was written:

%2%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

%1 stays open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the game folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no record of replacements is kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replacements cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the pack against the game…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be applied to this game, and nothing was written:

%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a pack to see what it would change.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the game the pack is for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 sounds will replace their game files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to apply: every sound of the pack the game has is in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying the pack…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking the pack off…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file of this game holds a sound of this pack.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No pack was written:

%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing to put in a pack.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pack&apos;s name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the Sound Pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the pack…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pack was not written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonaplex has replaced no file of this game that still holds its replacement.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the game and the set first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finding the set&apos;s files in the game…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Will</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Pack...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a sound pack and check it against the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game &amp;Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the game folder the pack is for.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch between the pack&apos;s sound and the game file at the same moment (Ctrl+B).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply Pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace the game&apos;s files with the pack&apos;s sounds, in one run that can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Take Pack Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back what the pack replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack This &amp;Game&apos;s Replacements...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a pack of what Sonaplex replaced in the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pack &amp;Set...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a pack of the chosen saved set, for the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source> %n game file(s) another replacement changed stay as they are.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> %n sound(s) differ in format from their game files.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s) written to %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FrmRestore</name>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonaplex/Restore Game Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup sets and sets in the program folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup sets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game files replaced by Sonaplex. Their originals are kept, so any of them can be put back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced game files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore &amp;Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put every file of the chosen backup set back where it came from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to the previous window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup set:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No record of replacements is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the game files Sonaplex replaced…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list cannot be shown: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game file has been replaced yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Open a folder to see its files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %1 of them were not read (the reading was cancelled).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The originals and copies Sonaplex keeps take %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the game files (or a folder) to restore first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were changed since Sonaplex replaced them (by a game update or another tool):

%1

Restore them anyway? What they hold now is kept too, so this can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game folder %1 is no longer there (moved or renamed?). Put its originals into which folder?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected game files already hold their originals.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting the originals back…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a game folder (or a file in it) to restore first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game file here was changed since Sonaplex replaced it: there is nothing to replace again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing again…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replaced again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undoing the last %1…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was forgotten, and every kept original is still kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the game files (or a folder) to forget first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every file Sonaplex keeps is still needed by a replaced game file: nothing can be freed. (Restore files first, then free what was kept for them.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no backup set to restore.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore &quot;%1&quot; into which game folder?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>in a folder where Sonaplex has replaced no file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Not restored:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; has no file that can be put back.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is an older backup set, or a set of replacements: it does not say where its files came from. Put its %2 file(s) into %3?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

%1%2

What the game files hold now is kept, so this can be undone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Putting the backup set back…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the selected game files back as they were originally.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore &amp;Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put every replaced file of the selected game folder back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace &amp;Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back what Sonaplex put over the selected files (all of them, when none is selected) that a game update changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Last SWITCH</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back exactly what the last SWITCH (or restore) overwrote.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For&amp;get</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget the selected files: their kept originals are deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free S&amp;pace...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget the files that hold their originals again, and delete what Sonaplex kept only for them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n replaced game file(s) in %1 folder(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Forget %n game file(s)? Their kept originals are deleted, and they can no longer be restored from here.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) hold their originals again. Forget them, and delete what Sonaplex kept only for them? This frees %1. Undo can then no longer put their replacements back.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put the %n file(s) of the backup set &quot;%1&quot; back where they came from?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back from the backup set.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FrmSetNames</name>
    <message>
        <source>Set Name Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a set name not already in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The files to be named are gone: %1 no longer exists. Nothing was saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The set cannot be named because the program folder cannot be changed (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The set cannot be named because the disk is full (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The set could not be named: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a name for your new set. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter a Set Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Please choose another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Backup Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Backup Set Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give your backup set the same name as the game you&apos;re backing up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMPORTANT: Be sure to include &quot;Wav&quot; or &quot;Midi&quot; to the end of the set name for easy identification.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(BlackJackMidi, BlackJackWav, etc.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Set Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE: Always include the game name in the name of your set.   (Ex. BlackJack1,  BJackcosmoset, BlkJckArnold, etc.)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Successful backup of all selected files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup set was saved, but not all selected files are in it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your set has been saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmSplash</name>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sonaplex changes the sound effects and background music of your games. Back up the original game files before you switch them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmWavSelect</name>
    <message>
        <source>Sonaplex/Sound Effects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game or program files are displayed in red.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacement files are displayed in blue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>an Effects Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wav Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Return to Sonaplex</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Games</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PC Game Download Sites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Sonaplex Step-by-Step Visual Tutorial.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameSounds</name>
    <message>
        <source>%1 is not a sound file Sonaplex knows (.wav, .ogg, .mid, ...)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 game files have this name (%3); put it in a folder as the game has it to say which</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not for %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: not used: %2 is used for %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GameSoundsModel</name>
    <message>
        <source>changed since %1 replaced it (an update?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replaced by %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Being read…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Games</name>
    <message>
        <source>Heroic (GOG)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heroic (Epic)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>added by hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1: it is not JSON (%2 at byte %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1 in %2: it names no absolute folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1 in %2: its folder %3 is not there (not installed, or on a disk that is not mounted)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped the Steam library %1 named in %2: it is not there (on a disk that is not mounted?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1: %2 (line %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no library list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped entry %1 of %2: it names no absolute folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no AppState</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1: its app id or install folder is not usable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its games are not a table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no list of games (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading it took longer than %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skipped %1: no room for a copy to read (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no room for a copy to read (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a game needs a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Gathering</name>
    <message>
        <source>%1 is not a name inside %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Libraries</name>
    <message>
        <source>wave files cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sounds cannot be converted to another rate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>loudness cannot be measured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tracker modules cannot be played</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoadedLibrary</name>
    <message>
        <source>The %1 library could not be loaded (%2), so %3. Install the package %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 library has no %2, so %3.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LongWork</name>
    <message>
        <source>

File %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Cancelling…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Record of Replacements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every game file was %1. These were left as they were:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game file was %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name Them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Convert and Match Loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy As They Are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loop Whole Replacements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave Them</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MidiFile</name>
    <message>
        <source>it is not a Standard MIDI File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its MIDI header is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it uses an unknown MIDI format (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its MIDI header gives no timing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no MIDI track</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MidiSource</name>
    <message>
        <source>MIDI files cannot be played</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No General MIDI SoundFont was found, so MIDI files cannot be played. Install the package timgm6mb-soundfont (or fluid-soundfont-gm), or set SONAPLEX_SOUNDFONT to a .sf2 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SoundFont %1 could not be loaded, so MIDI files cannot be played.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file that can be played.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is too large to be a MIDI file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be played: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no notes.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ModuleSource</name>
    <message>
        <source>%1 is not a tracker module that can be played%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no song that can be played.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OggHeaders</name>
    <message>
        <source>its comment header claims more than it holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its comment header is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is made with a Vorbis version no decoder knows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is made with an Opus version no decoder knows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no sound stream Sonaplex reads</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its header gives it no channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its header gives it a sample rate of 0 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its last page is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is damaged at byte %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it does not start where an Ogg stream starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds more than one stream (chained or interleaved), which Sonaplex does not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its headers are cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its first header is larger than 1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its comment header is larger than 1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its comment header cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not an Ogg Vorbis or Opus file that can be tagged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its headers share a page with its sound</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OriginalStore</name>
    <message>
        <source>%1 changed while it was kept</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Output</name>
    <message>
        <source>It is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program&apos;s audio output (%1) could not be loaded, so nothing can be heard. %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputModule</name>
    <message>
        <source>No audio output was found on this computer, so nothing can be heard. Check that a sound server (PulseAudio or PipeWire) is running.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PackCommands</name>
    <message>
        <source>sonaplex: %1 could not be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: %1 is refused: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the game folder %1 is not there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the pack:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the pack against the game:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (Sonaplex put %1 there%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; --over-others replaces it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>                   format differs: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pack check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pack apply takes either --convert or --as-is, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: left as it is: Sonaplex put %2 there (--over-others replaces it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: skipped: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: converted to the game file&apos;s format (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: copied as it is; its format differs (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to apply: every sound of the pack the game has is in place.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Applying the pack:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: left as it is: it does not hold the pack&apos;s sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file under %1 holds a sound of this pack.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking the pack off:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: nothing was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: Sonaplex has replaced no file under %1 that still holds its replacement.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a set&apos;s name: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: there is no set named &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the set &apos;%1&apos; holds no sound.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pack create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pack takes create, check, apply or remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: %n sound(s) written to %2</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PackSession</name>
    <message>
        <source>cannot make a working folder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>made for %1; %2 of its %3 sounds are in %4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlaceLists</name>
    <message>
        <source>Add Game Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a game&apos;s folder by hand, with a name: it is listed here after.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Player</name>
    <message>
        <source>No file is open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The audio output could not be opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Probe</name>
    <message>
        <source>%1 cannot be read: the decoder failed on it, or asked for more memory than any sound needs (the file may be damaged, or made to harm).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the conversion was stopped</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Program</name>
    <message>
        <source>Record of Replacements</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecordStates</name>
    <message>
        <source>the record of replaced game files (%1) could not be read%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReplaceCommand</name>
    <message>
        <source>  (by name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: matches no sound of the game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: converted to the game file&apos;s format (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: copied as it is; its format differs (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the game loops it by tags in its file and the replacement has none: the game may loop it at the wrong place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace takes a game folder (or a game&apos;s name) and --from DIR.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace takes either --convert or --as-is, not both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the folder %1 is not there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No file under %1 has the path or name of a sound of the game.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converting:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sonaplex: the converted copies cannot be made in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced. Undo takes this back.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReplaceConfirm</name>
    <message>
        <source>Replacement Confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacement Successful</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BE SURE TO EXIT SONAPLEX BEFORE STARTING GAME.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE: Certain games must be shut down and restarted before &quot;Switch&quot; can take effect.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReplacedFilesModel</name>
    <message>
        <source>Game file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replaced by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReplacementRecord</name>
    <message>
        <source>the SQLite driver of Qt could not be loaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it vanished while it was opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it could not be read to check it (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>disk I/O error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds a %1 named %2, which Sonaplex never writes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, and no new one could be started (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the record of replacements is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the record of replaced game files (%1) cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the record of replacements could not be written (%1: %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportWords</name>
    <message>
        <source>Selections %1 and %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not replaced, because it could not be converted (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no game file was chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no replacement file was chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the same game file is chosen more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not copied, Selection %1 has a file of the same name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its original is no longer kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what Sonaplex put there is no longer kept, and its source no longer holds it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what Sonaplex put there is not found again: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it did not exist before, so there is nothing to put back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>what it held before is no longer kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not changed, because it no longer holds what it held when it was looked at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not replaced, because its present content could not be kept for undo (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not replaced, because %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not changed, because the run was cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not changed, because the run stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not replaced: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These were replaced, but the change may not survive a crash or a power cut:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) cannot be opened: %2. Nothing can be replaced, restored or undone until it can; the record itself is kept as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files was damaged (%1). It was moved aside to %2 and a new record was started with the %3 replacement(s) that could still be read from it: they can be restored from the restore window. The originals of any others are still kept in %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files was damaged (%1). It was moved aside to %2 and a new record was started: nothing could be read from the old one, so files replaced before cannot be restored from the restore window, but their originals are still kept in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files in %1 is damaged (%2) and could not be replaced by a new one (%3). Nothing can be replaced, restored or undone until it can.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) could not be read or written: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of replaced game files (%1) was deleted or replaced by another file while Sonaplex was running. Sonaplex now keeps its record in the file at that path; what was recorded since the change may be missing from it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a line of a backup set&apos;s list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its name in the set leaves the set&apos;s folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a plain absolute path of a game file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>named twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>only sound files (.%1) are restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its file in the set is not a .%1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its file is not in the set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its folder is missing or is reached through a symbolic link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file, and Sonaplex has replaced no file in its folder, so none is created there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 replaced file of %1 was changed, probably by an update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 replaced files of %2 were changed, probably by an update.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no SWITCH to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>original</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>changed since</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sound pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> by %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the original the pack replaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another file than the pack expects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>already this sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such game file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing to do</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep the other replacement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>skip: a pack adds no files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack is for %1, and none of its files are in %2. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another game</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back as they were originally.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced again. Undo takes this back.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The last %1 was undone: %n game file(s) hold again what they held before it.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were replaced from the pack.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n game file(s) were put back as they were before the pack.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ReviewBoard</name>
    <message>
        <source>Indicate&apos;s Selection %1 game or program file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indicate&apos;s Selection %1 replacement file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selection %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Selection %1 choices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format differs — %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The game loops this sound by tags in its file and the replacement has none: the game may loop it at the wrong place. SWITCH offers to loop the whole replacement.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReviewWindow</name>
    <message>
        <source>Please be sure that you have made a valid file selection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The same game file is chosen in more than one selection:

%1

A game file can be replaced by one file only. Remove the extra selection and press SWITCH again. Nothing was replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record of Replacements</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not every game file was replaced. These were left as they were:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No game file was replaced:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replacement Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RiffWalk</name>
    <message>
        <source>it is too short to be a wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a wave file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its &quot;%1&quot; part claims more bytes than the file holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its format description is too short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no format description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds no sound data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is made of too many parts to be a sound file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a part of its &quot;LIST&quot; information claims more bytes than the list holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its &quot;LIST&quot; information is laid out so that a sound decoder would never finish reading it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it holds camera (&quot;exif&quot;) information that cannot be checked</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>the run ended before it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SamplePlayer</name>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown device type &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
peak %1 dBFS · %2 LUFS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
measuring loudness…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectionBoard</name>
    <message>
        <source>Selection </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Indicates Selection %1 game and replacement file choices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Selection %1 game or program file choice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Selection %1 choices.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Selection %1 replacement choice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please make selections in correct order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

%1 cannot be a replacement: only a %2 that Sonaplex can play can replace a game file.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectionFormats</name>
    <message>
        <source>Reading the files&apos; formats…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelectionWindow</name>
    <message>
        <source>MIDI file, recording or tracker module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wave file or recording</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match loudness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GAME FILES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>REPLACEMENT FILES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When all desired selections have been made, click here to continue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Compare A/B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switches between the highlighted game file and the highlighted replacement at the same point of the sound (Ctrl+B).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>While comparing, the louder of the two plays as loud as the quieter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file this side lists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Selection Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the restore window (or the game&apos;s sounds) on the game: Replace Again puts back what Sonaplex put there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;%1&quot;&gt;%2&lt;/a&gt; &lt;a href=&quot;game:%1&quot;&gt;Game Sounds...&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SoundNames</name>
    <message>
        <source>Ogg Vorbis</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tracker module</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a sound file Sonaplex knows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game file is a .%1 module and %2 a .%3 one: a module is not converted, so only a .%1 module can replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot replace the tracker module %2: a game plays a module&apos;s notes, and a recording cannot be turned into them (choose a module)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the tracker module %1 cannot replace %2 (choose a recording)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot replace the MIDI file %2: only a MIDI file can</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the MIDI file %1 cannot replace %2 (choose a recording)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 must be converted to replace %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SoundPack</name>
    <message>
        <source>%1 GiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MiB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path holds a NUL character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path holds a control character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path is absolute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path holds a backslash (paths are &apos;/&apos;-separated)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path has an empty part</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path leaves its folder (&apos;%1&apos;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a name in its path is longer than 255 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its path is longer than the file system allows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a sound file Sonaplex knows (.%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not JSON (%1 at byte %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not say which pack format it is (&quot;sonaplexPack&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is of pack format %1, made by a newer Sonaplex (this one reads format %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no list of entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>names no file in the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no valid content hash (32 hexadecimal digits)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>names the original it replaces with no valid hash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is named twice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>differs only in case from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a sound pack: not a whole zip archive (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a sound pack: it is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a sound pack: not a whole zip archive (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is damaged (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>does not inflate to its declared size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack holds too many files (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not in the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read in the pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is encrypted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is compressed in a way Sonaplex does not read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>would inflate to %1, more than the %2 a pack&apos;s file may hold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>would inflate %1 times over (to %2): a pack&apos;s file inflates at most %3 times</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not in the pack: it is not a Sonaplex sound pack</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack has more than %1 entries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack would inflate more than %1 times over in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack would inflate to more than %1 in all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound %1 is damaged (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound %1 does not inflate to its declared size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound %1 does not hold what its hash names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound cannot be written to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is already there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a pack holds at most %1 sounds; this one would hold %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be in a pack: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the list of this pack&apos;s sounds would take %1 MB, more than a pack may hold (%2 MB): make it of fewer sounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: it did not read back whole (%2%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1 to disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the sound Sonaplex put there is no longer kept, and %2 no longer holds it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no game file of this name under %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>several game files have this name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is the same game file as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound is not one the players can open: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the game file cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its sound is in another container or codec than the game file, which a game cannot read as it is: it is replaced only once converted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>keep the pack file to replace again after an update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack %1 is gone: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack %1 cannot be read (%2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the pack %1 no longer holds this sound (it changed since): %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Source</name>
    <message>
        <source>%1 cannot be opened: reading it took too long (the file may be damaged, or on a drive that does not answer).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Staging</name>
    <message>
        <source>Unnamed </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 cannot be kept: %2 cannot be written (%3). Nothing was copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Set Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The files left in %1 could not be discarded: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 still holds %n file(s) from an earlier %2 that was never named:

%3

Name them as a %2 of their own first, or discard them? They will not be mixed into this %2.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source>%1 KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 of %3 files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (finishing: game files are changing)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (stopping)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateNotifications</name>
    <message>
        <source>A game update undid replacements</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Waveform</name>
    <message>
        <source>Waveform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The whole sound; click to play from there.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowParts</name>
    <message>
        <source>Restore...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See every game file Sonaplex replaced and put back originals (Ctrl+R).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Game Sounds...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every sound of a game in one list, each replaced as you choose (Ctrl+G).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packs...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open, check, apply and make sound packs (Ctrl+K).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZipApi</name>
    <message>
        <source>sound packs cannot be read or made</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
