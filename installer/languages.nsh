; The Setup program's own texts; the pages' standard texts come with the
; English and Japanese language files.

LangString ComponentPrograms ${LANG_ENGLISH} "Sorvelin (required)"
LangString ComponentPrograms ${LANG_JAPANESE} "Sorvelin (必須)"
LangString ComponentPrograms_Help ${LANG_ENGLISH} "The screensaver and its renderer, side by side in one folder."
LangString ComponentPrograms_Help ${LANG_JAPANESE} "スクリーンセーバーと描画プログラムを同じフォルダーに入れます。"

LangString ComponentCurrent ${LANG_ENGLISH} "Use as the current screensaver"
LangString ComponentCurrent ${LANG_JAPANESE} "現在のスクリーンセーバーにする"
LangString ComponentCurrent_Help ${LANG_ENGLISH} "Makes Sorvelin the screensaver Windows starts when the computer is idle."
LangString ComponentCurrent_Help ${LANG_JAPANESE} "コンピューターを使っていないときに Windows が Sorvelin を起動するようにします。"

LangString OpenScreensaverSettings ${LANG_ENGLISH} "Open the screensaver settings"
LangString OpenScreensaverSettings ${LANG_JAPANESE} "スクリーンセーバーの設定を開く"

LangString ShortcutDescription ${LANG_ENGLISH} "Sorvelin settings: background music"
LangString ShortcutDescription ${LANG_JAPANESE} "Sorvelin の設定 (BGM)"

LangString SorvelinRunning ${LANG_ENGLISH} "Sorvelin is running: a screensaver show or its settings are open. Close it, then choose Retry. Cancel stops here and changes nothing."
LangString SorvelinRunning ${LANG_JAPANESE} "Sorvelin が動作中です (スクリーンセーバーの表示中か、設定画面が開いています)。閉じてから [再試行] を選んでください。[キャンセル] を選ぶと、何も変更せずに中止します。"

LangString FolderNotWritable ${LANG_ENGLISH} "Setup cannot write to this folder:$\r$\n$INSTDIR$\r$\n$\r$\nNothing was changed. Run Setup again and choose a folder you can write to."
LangString FolderNotWritable ${LANG_JAPANESE} "このフォルダーに書き込めません:$\r$\n$INSTDIR$\r$\n$\r$\n何も変更していません。セットアップをもう一度実行し、書き込めるフォルダーを選んでください。"

LangString ProgramsInUse ${LANG_ENGLISH} "The programs in this folder are in use and cannot be replaced:$\r$\n$INSTDIR$\r$\n$\r$\nNothing was changed. Close what uses them (such as the preview in the screensaver settings), then run Setup again."
LangString ProgramsInUse ${LANG_JAPANESE} "このフォルダーのプログラムは使用中のため、置き換えられません:$\r$\n$INSTDIR$\r$\n$\r$\n何も変更していません。使っているもの (スクリーンセーバーの設定のプレビューなど) を閉じてから、セットアップをもう一度実行してください。"

LangString ProgramsNotRemoved ${LANG_ENGLISH} "The programs in this folder are in use and cannot be removed:$\r$\n$INSTDIR$\r$\n$\r$\nClose what uses them (such as the preview in the screensaver settings), then run the uninstaller again."
LangString ProgramsNotRemoved ${LANG_JAPANESE} "このフォルダーのプログラムは使用中のため、削除できません:$\r$\n$INSTDIR$\r$\n$\r$\n使っているもの (スクリーンセーバーの設定のプレビューなど) を閉じてから、アンインストールをもう一度実行してください。"
