<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>新規ウィンドウ(&amp;N)</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>ビデオを開く(&amp;O)…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>ウィンドウを閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>Framepicker について(&amp;A)</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>Framepicker について</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>毎日アップデートを確認(&amp;U)</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker で一度に開けるビデオは 8 本までで、それぞれを専用のウィンドウで開きます。開かなかったビデオ：%@。</translation>
    </message>
    <message>
        <source>Framepicker</source>
        <translation>Framepicker</translation>
    </message>
    <message>
        <source>about.version %@</source>
        <translation>バージョン %@</translation>
    </message>
    <message>
        <source>about.description</source>
        <translation>ビデオの正確な最初のフレームと最後のフレームを PNG 画像として保存します。</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>免責事項</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>開発元</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>ここにビデオをドロップ</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>「%@」を処理中…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>このコンピューター上のファイルしか開けません。</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>「%@」ファイルには対応していません。ビデオファイルを選択してください。</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>Framepicker の新しいバージョンが利用できます。</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>後で</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker は無償で「現状のまま」提供され、明示または黙示を問わず、商品性、特定目的への適合性および権利非侵害の保証を含むがこれらに限定されない、いかなる種類の保証も伴いません。

いかなる場合においても、作者または権利者は、契約行為、不法行為その他のいずれであるかを問わず、本ソフトウェア、その使用またはその他の取り扱いに起因または関連して生じるいかなる請求、損害その他の責任も負わないものとします。

本ソフトウェアはお客様ご自身の責任でご使用ください。本ソフトウェアおよびそれが生成する画像その他の出力の正確性、信頼性、完全性または適時性について、いかなる保証もいたしません。業務で結果を利用する前に、必ずご確認ください。

本ソフトウェアの使用（本ソフトウェアで処理するビデオその他のコンテンツを含む）が、お客様に適用される法令を遵守し、第三者の知的財産権その他の権利を侵害しないことを確認する責任は、お客様のみが負うものとします。

作者は、本ソフトウェアのサポート、保守、修正、アップデートもしくは新しいバージョンを提供する義務、または本ソフトウェアに関する質問に回答する義務を負わず、予告なくいつでも本ソフトウェアを変更し、またはその提供を中止することができます。

本ソフトウェアを使用することにより、お客様は、本ソフトウェアの使用または本条件への違反から生じるいかなる請求、損失、損害および費用（合理的な弁護士費用を含みます）についても、作者および権利者に補償し、これらを免責することに同意するものとします。</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>拡張子のないファイルには対応していません。ビデオファイルを選択してください。</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>ビデオ (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>ビデオを開く</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>「%@」が見つかりません。</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>「%@」はフォルダーです。ビデオファイルではありません。</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>「%@」をビデオとして読み込めませんでした。</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>「%@」にはビデオが含まれていません。</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>「%@」はデコードできないビデオ形式を使用しています。</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>「%@」をデコードできませんでした。</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>「%@」からフレームをデコードできませんでした。</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>「%@」を最後まで読み込めませんでした。</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>「%@」のフレームは大きすぎて保存できません。</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>「%@」のピクセル形式は変換できません。</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>「%@」の色を画面表示用に変換できません。</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>「%@」の処理に必要なメモリが足りません。</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>「%@」は読み込み中に削除されました。</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>「%@」は読み込み中に変更されました。</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>「%@」を読み込めなくなりました。</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>PNG をエンコードできませんでした：%@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>処理中：%@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>完了：%@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>エラー：%@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>フォルダー「%@」を作成できませんでした。</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>「%@」を書き込めませんでした。</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>「%@」は通常のファイルではありません。</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>「%@」の読み込み中にデコーダーが停止しました。</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>「%@」のデコーダーを隔離できなかったため、開始しませんでした。</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>「%@」の読み込み中にデコーダーが応答しなくなりました。</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>「%@」のピクセル形状は極端すぎて表示できません。</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>「%@」のフレームを表示サイズに拡大縮小できません。</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>「%@」は別のユーザーが作成したリンクのため、その先には書き込みません。</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>フォルダー「%@」は別のユーザーが所有しているため、その中には書き込みません。</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>フォルダー「%@」は別のプログラムが使用中です。</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>別のフォルダーを選択…</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>別のフォルダーを選択</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ などのビデオ</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation>（%@）</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>無効なデータ</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>ファイルの終端</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>デコーダーが見つかりません</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>入出力エラー</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>アクセス権がありません</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>許可されていない操作</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>読み取り専用のファイルシステム</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>デバイスに空き容量がありません</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>同じ名前のファイルがあります</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>ファイルまたはフォルダーがありません</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>メモリ不足</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>セグメンテーション違反</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>強制終了</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>異常終了</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>許可されていないシステムコール</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>不明なオプション「%@」</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>オプション「%@」には値が必要です</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>「%@」は 1 から 1024 までのジョブ数ではありません</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>出力フォルダーの名前が空です</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>ビデオが指定されていません</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>詳しくは「%@ --help」を実行してください。</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>使い方：framepicker-cli [オプション]... ビデオ...
各ビデオの正確な最初と最後のフレームを first.png と last.png として、
ビデオの横にあるその名前のフォルダーに書き出し、そのフォルダーのパスを
表示します。

  -j, --jobs=N        同時に最大 N 本のビデオを処理します（既定：コア数。
                      1 なら 1 本ずつ処理します）
  -o, --output=DIR    各ビデオのフォルダーを DIR の下、指定されたビデオの
                      パスに作ります（clips/a/trip.mov なら
                      DIR/clips/a/trip。絶対パスや .. を含むパスは
                      ルートからのパス）
      --json          フォルダーの代わりに、ビデオごとに JSON オブジェクトを
                      1 つ表示します
      --unordered     入力順ではなく、結果ができた順に表示します
  -q, --quiet         端末に進捗を表示しません
  -h, --help          このヘルプを表示して終了します
  -V, --version       バージョンを表示して終了します

結果とエラーはそれぞれ 1 行で、ビデオを指定した順に表示されます。
終了ステータス：すべて成功なら 0、失敗があれば 1、使い方の誤りなら 2。
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>使い方：framepicker [オプション]... [ビデオ]...
Framepicker のウィンドウを開きます。ビデオを指定すると、ウィンドウへの
ドロップと同じく、その正確な最初と最後のフレームを first.png と last.png
として、ビデオの横のフォルダーに書き出します。ビデオごとに 1 つずつ
ウィンドウを開きます（最大 8 つ）。

      --about         「Framepicker について」のウィンドウも開きます
  -h, --help          このヘルプを表示して終了します
  -V, --version       バージョンを表示して終了します

-platform 名前 や -style 名前 など、Qt 自身のオプションも使えます。
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@別のフォルダーに書き出すには -o DIR を指定してください。</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>デコーダーの隔離：%@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>拒否されました（%@）。ビデオはデコードされません</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>不明（%@）</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>Landlock なし</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>seccomp なし</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>メモリー上限 %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>メモリー上限なし</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>、</translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>キャンセルしました</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@%</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>残り約 %@</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>最初</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>最後</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>%@ の最初のフレーム</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>%@ の最後のフレーム</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>「%@」を開けるプログラムがありませんでした。</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>ほか %@ 本</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>ビデオではないため開かなかったもの：%@。</translation>
    </message>
</context>
</TS>
