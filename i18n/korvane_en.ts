<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CommandLine</name>
    <message>
        <source>使い方: korvane [--version | --help]
グラフを読むゲームです。動く点がどこに着くかを当てます。
引数なしで起動します。ゲーム中に F1 でヘルプが開きます。
設定は $XDG_CONFIG_HOME/korvane/qelmira.ini
(~/.config/korvane/) に、フォルダーごと置いたゲームでは
その横に保存されます。
</source>
        <translation>Usage: korvane [--version | --help]
A game about reading graphs: guess where the moving point arrives.
Run it without arguments to play; in the game, F1 opens the help.
The settings are kept in $XDG_CONFIG_HOME/korvane/qelmira.ini
(~/.config/korvane/), or beside a game run from a folder of its own.
</translation>
    </message>
</context>
<context>
    <name>Form</name>
    <message>
        <source>1ﾐｽ減点  </source>
        <translation>Per miss  </translation>
    </message>
    <message>
        <source>1目盛り </source>
        <translation>1 tick </translation>
    </message>
    <message>
        <source>解答して下さい！</source>
        <translation>Please answer!</translation>
    </message>
    <message>
        <source>解答してください！</source>
        <translation>Please answer!</translation>
    </message>
    <message>
        <source>マイナスになるとゲームオーバー</source>
        <translation>The game is over once the score falls below zero</translation>
    </message>
    <message>
        <source>このステージでＭＩＳＳした時の減点</source>
        <translation>Points lost for a MISS in this stage</translation>
    </message>
    <message>
        <source>正解時に加減される１目盛り分の点数</source>
        <translation>Points per tick, won or lost with a right answer</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>ポーズを解除します</source>
        <translation>Resume the game</translation>
    </message>
    <message>
        <source>ゲーム</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>ポーズ解除</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>ポーズ</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>はじめから</source>
        <translation>Start Over</translation>
    </message>
    <message>
        <source>ハイスコア表示</source>
        <translation>High Scores</translation>
    </message>
    <message>
        <source>ハイスコアのクリア</source>
        <translation>Clear High Scores</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>ステージ</source>
        <translation>Stage</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Zoom View</translation>
    </message>
    <message>
        <source>する</source>
        <translation>On</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>線幅</source>
        <translation>Line Width</translation>
    </message>
    <message>
        <source>１&#x3000;（標準）</source>
        <translation>1  (normal)</translation>
    </message>
    <message>
        <source>２&#x3000;（太い）</source>
        <translation>2  (thick)</translation>
    </message>
    <message>
        <source>３&#x3000;（相当太い）</source>
        <translation>3  (very thick)</translation>
    </message>
    <message>
        <source>カウントダウン</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>１.00秒&#x3000;（通常）</source>
        <translation>1.00 s  (normal)</translation>
    </message>
    <message>
        <source>0.75秒&#x3000;（はやい）</source>
        <translation>0.75 s  (fast)</translation>
    </message>
    <message>
        <source>0.50秒&#x3000;（相当はやい）</source>
        <translation>0.50 s  (very fast)</translation>
    </message>
    <message>
        <source>効果音</source>
        <translation>Sound Effects</translation>
    </message>
    <message>
        <source>オン</source>
        <translation>On</translation>
    </message>
    <message>
        <source>オフ</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>言語 (Language)</source>
        <translation>Language (言語)</translation>
    </message>
    <message>
        <source>自動 (Auto)</source>
        <translation>Auto (自動)</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ヘルプ表示</source>
        <translation>Show Help</translation>
    </message>
    <message>
        <source>ポップアップ</source>
        <translation>Pop-up</translation>
    </message>
    <message>
        <source>複数起動は出来ません。</source>
        <translation>KORVANE is already running.</translation>
    </message>
    <message>
        <source>｢小さいフォント｣でないと起動しません。｢画面のプロパティ｣メニューの「ディスプレイの詳細」で設定して下さい。</source>
        <translation>KORVANE runs only at the standard text size of 96 dots per inch. Set the display's scaling to 100 % and start it again.</translation>
    </message>
    <message>
        <source>正解！</source>
        <translation>Right!</translation>
    </message>
    <message>
        <source>解答！</source>
        <translation>Answer!</translation>
    </message>
    <message>
        <source>裏面だ！！&#x3000;イエー！！</source>
        <translation>The secret EXTRA STAGE is open!! Yeah!!</translation>
    </message>
    <message>
        <source>タイトルへ...</source>
        <translation>To Title...</translation>
    </message>
    <message>
        <source>ハイスコアを初期化してもよろしいですか？</source>
        <translation>Clear the high-score table?</translation>
    </message>
    <message>
        <source>「解答してください！」の文字を15回クリック！</source>
        <translation>Click the words “Please answer!” 15 times!</translation>
    </message>
    <message>
        <source>Ｚランク&#x3000;おめでとう！</source>
        <translation>Rank Z – congratulations!</translation>
    </message>
    <message>
        <source>実はＥランクの下に、Ｚランクが存在するという・・・</source>
        <translation>They say there is a rank Z, below rank E...</translation>
    </message>
    <message>
        <source>Ｓランク&#x3000;おめでとう！</source>
        <translation>Rank S – congratulations!</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>（画像 %1 はありません）</source>
        <translation>(picture %1 is missing)</translation>
    </message>
    <message>
        <source>&lt;h2&gt;ヘルプファイルが見つかりません&lt;/h2&gt;&lt;p&gt;次のファイルがありません：&lt;/p&gt;&lt;p&gt;&lt;tt&gt;%1&lt;/tt&gt;&lt;/p&gt;&lt;p&gt;ゲームはそのまま続けられます。&lt;/p&gt;</source>
        <translation>&lt;h2&gt;The help file cannot be found&lt;/h2&gt;&lt;p&gt;This file is missing:&lt;/p&gt;&lt;p&gt;&lt;tt&gt;%1&lt;/tt&gt;&lt;/p&gt;&lt;p&gt;You can go on playing.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>KORVANE ヘルプ</source>
        <translation>KORVANE Help</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>SaveFailure</name>
    <message>
        <source>ファイルが読み取り専用です。</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>フォルダーに書き込む権限がありません。</source>
        <translation>You do not have permission to write to the folder.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>フォルダーが見つかりません。</source>
        <translation>The folder cannot be found.</translation>
    </message>
    <message>
        <source>システムのエラー: %1</source>
        <translation>System error: %1</translation>
    </message>
    <message>
        <source>設定ファイルに書き込めないため、オプションとハイスコアは保存されませんでした。

%1

%2</source>
        <translation>The settings file could not be written, so the options and the high scores were not saved.

%1

%2</translation>
    </message>
</context>
</TS>
