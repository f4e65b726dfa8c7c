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
