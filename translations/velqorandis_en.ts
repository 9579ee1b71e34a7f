<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Model</name>
    <message>
        <source>データロードエラー</source>
        <translation>Deck load error</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした</source>
        <translation>The file could not be opened.</translation>
    </message>
    <message>
        <source>２つ目のＴＣＧ名設定</source>
        <translation>The deck names a second game.</translation>
    </message>
    <message>
        <source>ＴＣＧが違います</source>
        <translation>The deck is for another game.</translation>
    </message>
    <message>
        <source>領域名が違う</source>
        <translation>The deck names a layer this game does not have.</translation>
    </message>
    <message>
        <source>指定されたパスが見つかりません</source>
        <translation>The folder of game definitions was not found.</translation>
    </message>
    <message>
        <source>%1 に書き込めません</source>
        <translation>Cannot write %1</translation>
    </message>
</context>
<context>
    <name>TDeckCommands</name>
    <message>
        <source>カードが見つかりません</source>
        <translation>no such card</translation>
    </message>
    <message>
        <source>領域が見つかりません</source>
        <translation>no such layer</translation>
    </message>
    <message>
        <source>上限のため %1 枚のうち %2 枚だけ追加しました</source>
        <translation>only %2 of %1 copies added: the limit is reached</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>次の行は使えませんでした。</source>
        <translation>These lines could not be used:</translation>
    </message>
    <message>
        <source>%1 行目「%2」: %3</source>
        <translation>Line %1 &quot;%2&quot;: %3</translation>
    </message>
    <message>
        <source>ほか %1 行</source>
        <translation>and %1 more lines</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>%1 が見つかりません。最近のデッキから外しました。</source>
        <translation>%1 was not found. It was removed from the recent decks.</translation>
    </message>
</context>
<context>
    <name>TFontChooser</name>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>色(&amp;C)...</source>
        <translation>&amp;Colour...</translation>
    </message>
    <message>
        <source>色</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TStatsPanel</name>
    <message>
        <source>デッキ全体</source>
        <translation>Whole deck</translation>
    </message>
    <message>
        <source>表示中の領域</source>
        <translation>Shown layer</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>%1 枚</source>
        <translation>Copies: %1</translation>
    </message>
    <message>
        <source>&#x3000;平均 %1</source>
        <translation>, average %1</translation>
    </message>
</context>
<context>
    <name>TfmConfig</name>
    <message>
        <source>設定ダイアログ</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Fonts</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>カードリスト</source>
        <translation>Card list</translation>
    </message>
    <message>
        <source>デッキリスト</source>
        <translation>Deck list</translation>
    </message>
    <message>
        <source>カードテキスト</source>
        <translation>Card text</translation>
    </message>
    <message>
        <source>デッキ追加時にインデックスを移動する</source>
        <translation>Move the selection when adding a card to the deck</translation>
    </message>
    <message>
        <source>マウスを載せた時、簡易ヘルプを表示しない</source>
        <translation>No short help when the pointer rests on a control</translation>
    </message>
    <message>
        <source>未保存時に確認ダイアログの表示</source>
        <translation>Ask before unsaved deck changes are lost</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>言語の変更は次回の起動から有効になります。</source>
        <translation>A new language applies the next time the program starts.</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>配布元&#x3000;：&#x3000;&lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</source>
        <translation>Home page: &lt;a href=&quot;%1&quot;&gt;%1&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>TfmMain</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新しいデッキ</source>
        <translation>New deck</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>デッキを開く</source>
        <translation>Open deck</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>デッキを保存</source>
        <translation>Save deck</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Clipboard</translation>
    </message>
    <message>
        <source>デッキをクリップボードにコピー</source>
        <translation>Copy deck to the clipboard</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>カードを検索</source>
        <translation>Search cards</translation>
    </message>
    <message>
        <source>Plugin</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>プラグイン（ゲーム）の切り替え</source>
        <translation>Switch game</translation>
    </message>
    <message>
        <source>Config</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>クリックでカード画像を表示</source>
        <translation>Show card pictures on click</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>デッキの統計</source>
        <translation>Deck statistics</translation>
    </message>
    <message>
        <source>テキストファイル (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>デッキデータを開く</source>
        <translation>Open deck</translation>
    </message>
    <message>
        <source>result : 10000 cards</source>
        <translation>Result : 10000 cards</translation>
    </message>
    <message>
        <source>変更済み</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>デッキの保存をしていません</source>
        <translation>The deck has not been saved. Close anyway?</translation>
    </message>
    <message>
        <source>Result : %1 cards</source>
        <translation>Result : %1 cards</translation>
    </message>
    <message>
        <source>変更あり</source>
        <translation>Changed</translation>
    </message>
    <message>
        <source>アプリケーションを終了します (Alt+F4)</source>
        <translation>Quit the program (Alt+F4)</translation>
    </message>
    <message>
        <source>デッキデータを初期化します(Ctrl+N)</source>
        <translation>Start a new deck (Ctrl+N)</translation>
    </message>
    <message>
        <source>デッキデータを読み込みます(Ctrl+L)</source>
        <translation>Open a deck (Ctrl+L)</translation>
    </message>
    <message>
        <source>デッキデータを保存します(Ctrl+S)</source>
        <translation>Save the deck (Ctrl+S)</translation>
    </message>
    <message>
        <source>検索ダイアログを開きます(Ctrl+F)</source>
        <translation>Open the search window (Ctrl+F)</translation>
    </message>
    <message>
        <source>設定ダイアログを開きます</source>
        <translation>Open the settings</translation>
    </message>
    <message>
        <source>プラグインを切り替えます</source>
        <translation>Switch to another game</translation>
    </message>
    <message>
        <source>デッキデータをクリップボードにコピーします(Ctrl+C)</source>
        <translation>Copy the deck to the clipboard (Ctrl+C)</translation>
    </message>
    <message>
        <source>選択データを１枚追加します(Enterまたはダブルクリック)</source>
        <translation>Add a copy of the selected card (Enter or double-click)</translation>
    </message>
    <message>
        <source>選択データを１枚減らします(Enterまたはダブルクリック)</source>
        <translation>Remove a copy of the selected card (Enter or double-click)</translation>
    </message>
    <message>
        <source>デッキ領域を変更します(タブを選択)</source>
        <translation>Switch the deck layer (pick a tab)</translation>
    </message>
    <message>
        <source>選択しているデータのテキストを表示</source>
        <translation>Text of the selected card</translation>
    </message>
    <message>
        <source>選択しているデータの画像を表示</source>
        <translation>Picture of the selected card</translation>
    </message>
    <message>
        <source>デッキの変更を元に戻します(Ctrl+Z)</source>
        <translation>Undo the last deck change (Ctrl+Z)</translation>
    </message>
    <message>
        <source>元に戻した変更をやり直します(Ctrl+Shift+Z)</source>
        <translation>Redo the undone change (Ctrl+Shift+Z)</translation>
    </message>
    <message>
        <source>デッキの統計を表示します(Ctrl+T)</source>
        <translation>Show the deck statistics (Ctrl+T)</translation>
    </message>
</context>
<context>
    <name>TfmPlugin</name>
    <message>
        <source>プラグイン切り替え</source>
        <translation>Switch game</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TfmSearch</name>
    <message>
        <source>検索ウインドウ</source>
        <translation>Search window</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
