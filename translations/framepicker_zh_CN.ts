<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Framepicker</name>
    <message>
        <source>menu.file</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>menu.newWindow</source>
        <translation>新建窗口(&amp;N)</translation>
    </message>
    <message>
        <source>menu.openVideo</source>
        <translation>打开视频(&amp;O)…</translation>
    </message>
    <message>
        <source>menu.closeWindow</source>
        <translation>关闭窗口(&amp;C)</translation>
    </message>
    <message>
        <source>menu.quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>menu.help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>menu.about</source>
        <translation>关于 Framepicker(&amp;A)</translation>
    </message>
    <message>
        <source>about.window</source>
        <translation>关于 Framepicker</translation>
    </message>
    <message>
        <source>menu.checkDaily</source>
        <translation>每天检查更新(&amp;U)</translation>
    </message>
    <message>
        <source>launch.tooMany %@</source>
        <translation>Framepicker 一次最多打开八个视频，每个视频各占一个窗口。未打开的视频：%@。</translation>
    </message>
    <message>
        <source>Framepicker</source>
        <translation>Framepicker</translation>
    </message>
    <message>
        <source>about.version %@</source>
        <translation>版本 %@</translation>
    </message>
    <message>
        <source>about.description</source>
        <translation>将视频精确的第一帧和最后一帧保存为 PNG 图像。</translation>
    </message>
    <message>
        <source>about.disclaimer</source>
        <translation>免责声明</translation>
    </message>
    <message>
        <source>about.poweredBy</source>
        <translation>开发者</translation>
    </message>
    <message>
        <source>Korvane</source>
        <translation>Korvane</translation>
    </message>
    <message>
        <source>drop.title</source>
        <translation>将视频拖放到此处</translation>
    </message>
    <message>
        <source>status.processing %@</source>
        <translation>正在处理“%@”…</translation>
    </message>
    <message>
        <source>status.error.readUrl</source>
        <translation>只能打开这台电脑上的文件。</translation>
    </message>
    <message>
        <source>status.error.unsupported %@</source>
        <translation>不支持“%@”文件。请选择视频文件。</translation>
    </message>
    <message>
        <source>update.available</source>
        <translation>Framepicker 有新版本可用。</translation>
    </message>
    <message>
        <source>update.download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>update.later</source>
        <translation>以后再说</translation>
    </message>
    <message>
        <source>Framepicker is provided free of charge and "as is", without warranty of any kind, express or implied, including but not limited to the warranties of merchantability, fitness for a particular purpose and non-infringement.

In no event shall the authors or rights holders be liable for any claim, damages or other liability, whether in an action of contract, tort or otherwise, arising from, out of or in connection with the software or the use of or other dealings in it.

You use the software at your own risk. No guarantee is made about the accuracy, reliability, completeness or timeliness of the software or of the images and other output it produces, and you should check its results before you rely on them in your work.

You alone are responsible for making sure that your use of the software, including the videos and other content you process with it, complies with the laws that apply to you and does not infringe the intellectual property or other rights of third parties.

The authors have no obligation to provide support, maintenance, corrections, updates or new versions of the software, or to answer questions about it, and may change or stop offering it at any time without notice.

By using the software you agree to indemnify and hold harmless its authors and rights holders from and against any claims, losses, damages and costs, including reasonable legal fees, that arise from your use of the software or from your breach of these terms.</source>
        <translation>Framepicker 免费并按“原样”提供，不附带任何明示或默示的担保，包括但不限于适销性、特定用途适用性和不侵权的担保。

在任何情况下，作者或权利人均不对因本软件、本软件的使用或对本软件的其他处理而产生或与之相关的任何索赔、损害或其他责任承担责任，无论是基于合同、侵权还是其他原因。

您使用本软件的风险由您自行承担。对于本软件及其生成的图像和其他输出的准确性、可靠性、完整性或及时性，不作任何保证；在工作中依赖其结果之前，请先自行检查。

您须自行负责确保您对本软件的使用（包括您用其处理的视频和其他内容）符合适用于您的法律，且不侵犯第三方的知识产权或其他权利。

作者没有义务为本软件提供支持、维护、更正、更新或新版本，也没有义务回答与之相关的问题，并可随时更改或停止提供本软件，恕不另行通知。

使用本软件即表示您同意：对于因您使用本软件或违反本条款而产生的任何索赔、损失、损害和费用（包括合理的律师费），您将赔偿本软件的作者和权利人，并使其免受损害。</translation>
    </message>
    <message>
        <source>status.error.noExtension</source>
        <translation>不支持没有扩展名的文件。请选择视频文件。</translation>
    </message>
    <message>
        <source>openPanel.videos %@</source>
        <translation>视频 (%@)</translation>
    </message>
    <message>
        <source>openPanel.allFiles</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>openPanel.title</source>
        <translation>打开视频</translation>
    </message>
    <message>
        <source>error.notFound %@</source>
        <translation>找不到“%@”。</translation>
    </message>
    <message>
        <source>error.folder %@</source>
        <translation>“%@”是文件夹，不是视频文件。</translation>
    </message>
    <message>
        <source>error.unreadable %@</source>
        <translation>无法将“%@”作为视频读取。</translation>
    </message>
    <message>
        <source>error.noVideo %@</source>
        <translation>“%@”中没有视频。</translation>
    </message>
    <message>
        <source>error.unsupportedFormat %@</source>
        <translation>“%@”使用了无法解码的视频格式。</translation>
    </message>
    <message>
        <source>error.undecodable %@</source>
        <translation>无法解码“%@”。</translation>
    </message>
    <message>
        <source>error.noPicture %@</source>
        <translation>无法从“%@”解码出任何帧。</translation>
    </message>
    <message>
        <source>error.readFailed %@</source>
        <translation>无法完整读取“%@”。</translation>
    </message>
    <message>
        <source>error.tooLarge %@</source>
        <translation>“%@”的帧太大，无法保存。</translation>
    </message>
    <message>
        <source>error.unconvertiblePixels %@</source>
        <translation>“%@”的像素格式无法转换。</translation>
    </message>
    <message>
        <source>error.unconvertibleColours %@</source>
        <translation>无法将“%@”的颜色转换为屏幕显示的颜色。</translation>
    </message>
    <message>
        <source>error.outOfMemory %@</source>
        <translation>处理“%@”所需的内存超出了可用内存。</translation>
    </message>
    <message>
        <source>error.removed %@</source>
        <translation>“%@”在读取过程中被删除。</translation>
    </message>
    <message>
        <source>error.changed %@</source>
        <translation>“%@”在读取过程中被更改。</translation>
    </message>
    <message>
        <source>error.noLongerReadable %@</source>
        <translation>无法再读取“%@”。</translation>
    </message>
    <message>
        <source>error.cannotSavePNG %@</source>
        <translation>无法编码 PNG：%@</translation>
    </message>
    <message>
        <source>status.copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>status.state.processing %@</source>
        <translation>正在处理：%@</translation>
    </message>
    <message>
        <source>status.state.done %@</source>
        <translation>完成：%@</translation>
    </message>
    <message>
        <source>status.state.error %@</source>
        <translation>错误：%@</translation>
    </message>
    <message>
        <source>error.cannotCreateFolder %@</source>
        <translation>无法创建文件夹“%@”。</translation>
    </message>
    <message>
        <source>error.cannotWrite %@</source>
        <translation>无法写入“%@”。</translation>
    </message>
    <message>
        <source>error.notRegular %@</source>
        <translation>“%@”不是普通文件。</translation>
    </message>
    <message>
        <source>error.workerStopped %@</source>
        <translation>读取“%@”时解码器停止了。</translation>
    </message>
    <message>
        <source>error.notConfined %@</source>
        <translation>无法隔离“%@”的解码器，因此未启动它。</translation>
    </message>
    <message>
        <source>error.notResponding %@</source>
        <translation>读取“%@”时解码器停止响应。</translation>
    </message>
    <message>
        <source>error.extremeAspectRatio %@</source>
        <translation>“%@”声明的像素形状过于极端，无法显示。</translation>
    </message>
    <message>
        <source>error.unscalable %@</source>
        <translation>“%@”的帧无法缩放到显示尺寸。</translation>
    </message>
    <message>
        <source>error.untrustedLink %@</source>
        <translation>“%@”是其他用户创建的链接，不会通过它写入任何内容。</translation>
    </message>
    <message>
        <source>error.foreignFolder %@</source>
        <translation>文件夹“%@”属于其他用户，不会向其中写入任何内容。</translation>
    </message>
    <message>
        <source>error.folderInUse %@</source>
        <translation>文件夹“%@”正被其他程序使用。</translation>
    </message>
    <message>
        <source>status.chooseFolder</source>
        <translation>选择其他文件夹…</translation>
    </message>
    <message>
        <source>folderPanel.title</source>
        <translation>选择其他文件夹</translation>
    </message>
    <message>
        <source>drop.hint %@</source>
        <translation>%@ 等视频</translation>
    </message>
    <message>
        <source>error.reason %@</source>
        <translation>（%@）</translation>
    </message>
    <message>
        <source>reason.invalidData</source>
        <translation>数据无效</translation>
    </message>
    <message>
        <source>reason.endOfFile</source>
        <translation>已到文件末尾</translation>
    </message>
    <message>
        <source>reason.decoderNotFound</source>
        <translation>找不到解码器</translation>
    </message>
    <message>
        <source>reason.ioError</source>
        <translation>输入/输出错误</translation>
    </message>
    <message>
        <source>reason.permissionDenied</source>
        <translation>权限不足</translation>
    </message>
    <message>
        <source>reason.notPermitted</source>
        <translation>不允许的操作</translation>
    </message>
    <message>
        <source>reason.readOnly</source>
        <translation>只读文件系统</translation>
    </message>
    <message>
        <source>reason.noSpace</source>
        <translation>设备上没有剩余空间</translation>
    </message>
    <message>
        <source>reason.exists</source>
        <translation>已存在同名文件</translation>
    </message>
    <message>
        <source>reason.noSuchFile</source>
        <translation>文件或文件夹不存在</translation>
    </message>
    <message>
        <source>reason.noMemory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>reason.segmentationFault</source>
        <translation>段错误</translation>
    </message>
    <message>
        <source>reason.killed</source>
        <translation>被强制终止</translation>
    </message>
    <message>
        <source>reason.aborted</source>
        <translation>异常中止</translation>
    </message>
    <message>
        <source>reason.forbiddenCall</source>
        <translation>不允许的系统调用</translation>
    </message>
    <message>
        <source>cli.unknownOption %@</source>
        <translation>未知选项“%@”</translation>
    </message>
    <message>
        <source>cli.needsValue %@</source>
        <translation>选项“%@”需要一个值</translation>
    </message>
    <message>
        <source>cli.badJobs %@</source>
        <translation>“%@”不是 1 到 1024 之间的任务数</translation>
    </message>
    <message>
        <source>cli.emptyOutput</source>
        <translation>输出文件夹的名称为空</translation>
    </message>
    <message>
        <source>cli.noVideo</source>
        <translation>未指定视频</translation>
    </message>
    <message>
        <source>cli.tryHelp %@</source>
        <translation>运行“%@ --help”了解更多信息。</translation>
    </message>
    <message>
        <source>cli.usage</source>
        <translation>用法：framepicker-cli [选项]... 视频...
将每个视频精确的第一帧和最后一帧保存为 first.png 和 last.png，
放入视频旁边以其命名的文件夹中，并显示该文件夹的路径。

  -j, --jobs=N        同时处理最多 N 个视频（默认：核心数；1 表示逐个处理）
  -o, --output=DIR    将每个视频的文件夹放在 DIR 下，位于所给视频路径处
                      （clips/a/trip.mov 得到 DIR/clips/a/trip；绝对路径
                      或含 .. 的路径则取其从根开始的路径）
      --json          为每个视频显示一个 JSON 对象，而不是文件夹
      --unordered     结果一就绪就显示，而不按输入顺序
  -q, --quiet         不在终端上显示进度
  -h, --help          显示此帮助并退出
  -V, --version       显示版本并退出

结果和错误各占一行，按视频给出的顺序排列。
退出状态：全部成功为 0，有失败为 1，用法错误为 2。
</translation>
    </message>
    <message>
        <source>cli.windowUsage</source>
        <translation>用法：framepicker [选项]... [视频]...
打开 Framepicker 窗口；指定视频时，像拖放到窗口上一样，将其精确的第一帧和
最后一帧保存为 first.png 和 last.png，放入视频旁边的文件夹中。每个视频
各占一个窗口，最多八个。

      --about         同时打开“关于 Framepicker”窗口
  -h, --help          显示此帮助并退出
  -V, --version       显示版本并退出

也接受 Qt 自身的选项，如 -platform 名称 和 -style 名称。
</translation>
    </message>
    <message>
        <source>cli.otherFolder %@</source>
        <translation>%@可用 -o DIR 写入其他文件夹。</translation>
    </message>
    <message>
        <source>cli.confinement %@</source>
        <translation>解码器隔离：%@</translation>
    </message>
    <message>
        <source>cli.confinementRefused %@</source>
        <translation>被拒绝（%@），因此不会解码任何视频</translation>
    </message>
    <message>
        <source>cli.confinementUnknown %@</source>
        <translation>未知（%@）</translation>
    </message>
    <message>
        <source>cli.noLandlock</source>
        <translation>无 Landlock</translation>
    </message>
    <message>
        <source>cli.noSeccomp</source>
        <translation>无 seccomp</translation>
    </message>
    <message>
        <source>cli.memoryLimit %@</source>
        <translation>内存上限 %@</translation>
    </message>
    <message>
        <source>cli.noMemoryLimit</source>
        <translation>无内存上限</translation>
    </message>
    <message>
        <source>cli.listSeparator</source>
        <translation>，</translation>
    </message>
    <message>
        <source>status.cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>status.cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>status.percent %@</source>
        <translation>%@%</translation>
    </message>
    <message>
        <source>status.timeLeft %@</source>
        <translation>剩余约 %@</translation>
    </message>
    <message>
        <source>frames.first</source>
        <translation>第一帧</translation>
    </message>
    <message>
        <source>frames.last</source>
        <translation>最后一帧</translation>
    </message>
    <message>
        <source>frames.first.name %@</source>
        <translation>%@ 的第一帧</translation>
    </message>
    <message>
        <source>frames.last.name %@</source>
        <translation>%@ 的最后一帧</translation>
    </message>
    <message>
        <source>status.error.cannotOpen %@</source>
        <translation>没有程序能打开“%@”。</translation>
    </message>
    <message>
        <source>launch.more %@</source>
        <translation>另外 %@ 个</translation>
    </message>
    <message>
        <source>launch.notVideos %@</source>
        <translation>不是视频，因此未打开：%@。</translation>
    </message>
</context>
</TS>
