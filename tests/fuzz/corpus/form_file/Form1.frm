' The main window's face. Positions and sizes are twips (15 to a pixel on a
' 96 dpi screen); colours are &H00BBGGRR& or system colours &H800000nn&.
' Copy this file with its pictures to ~/.local/share/kavel-player/forms/ to
' re-skin the window.
Begin Form Form1
   ClientWidth = 6000
   ClientHeight = 5100
   BackColor = &H00808080&
   Font = Font("MS Sans Serif", 8.25)
   Icon = Picture("../icons/kavel-player.png")
   Begin Label Label1
      Left = 555
      Top = 0
      Width = 4875
      Height = 195
      Caption = "KAVEL Player"
      Font = Font("Small Fonts", 6.75)
      BackColor = &H00808080&
      ForeColor = &H00000000&
   End
   Begin CommandButton Command3
      Left = 60
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Open File"
      Picture = Picture("../glyphs/open.png")
      DownPicture = Picture("../glyphs/open-down.png")
   End
   Begin CommandButton ButtonEx7
      Left = 480
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Previous"
      Picture = Picture("../glyphs/previous.png")
      DownPicture = Picture("../glyphs/previous-down.png")
   End
   Begin CommandButton Command4
      Left = 900
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Pause"
      Picture = Picture("../glyphs/pause.png")
      DownPicture = Picture("../glyphs/pause-down.png")
   End
   Begin CommandButton Command1
      Left = 1320
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Play"
      Picture = Picture("../glyphs/play.png")
      DownPicture = Picture("../glyphs/play-down.png")
   End
   Begin CommandButton Command2
      Left = 1740
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Stop"
      Picture = Picture("../glyphs/stop.png")
      DownPicture = Picture("../glyphs/stop-down.png")
   End
   Begin CommandButton ButtonEx6
      Left = 2160
      Top = 240
      Width = 405
      Height = 345
      ToolTipText = "Next"
      Picture = Picture("../glyphs/next.png")
      DownPicture = Picture("../glyphs/next-down.png")
   End
   Begin Label Label3
      Left = 2640
      Top = 210
      Width = 630
      Height = 210
      Caption = "00:00:00"
      BackColor = &H00808080&
      ForeColor = &H00E0E0E0&
   End
   Begin Label Label4
      Left = 3420
      Top = 210
      Width = 630
      Height = 210
      Caption = "00:00:00"
      BackColor = &H00808080&
      ForeColor = &H00E0E0E0&
   End
   Begin Label Label5
      Left = 4080
      Top = 210
      Width = 870
      Height = 210
      Caption = ""
      BackColor = &H00808080&
      ForeColor = &H00E0E0E0&
   End
   Begin PictureBox Picture1
      Left = 0
      Top = 600
      Width = 3495
      Height = 2895
      BackColor = &H00000000&
   End
   Begin Label Label2
      Left = 4020
      Top = 1080
      Width = 630
      Height = 210
      Caption = "00:00:00"
   End
   Begin TextBox Text1
      Left = 4680
      Top = 1680
      Width = 735
      Height = 165
      Text = "00:00:00"
   End
   Begin TextBox Text2
      Left = 4680
      Top = 1860
      Width = 735
      Height = 165
      Text = "00:00:00"
   End
   Begin TextBox Text3
      Left = 4680
      Top = 2040
      Width = 735
      Height = 165
      Text = "00:00:00"
   End
   Begin TextBox Text4
      Left = 4200
      Top = 3240
      Width = 1335
      Height = 285
      Text = ""
   End
   Begin Vantrel.ButtonEx ButtonEx5
      Left = 180
      Top = 0
      Width = 195
      Height = 195
      TabIndex = 20
      ToolTipText = "TogglePlaylist"
      BackColor = &H00808080&
      Caption = "P"
      ForeColor = &H00000000&
      Font = Font("Small Fonts", 6.75)
      HighlightColor = &H00404040&
   End
   Begin Vantrel.ButtonEx ButtonEx4
      Left = 360
      Top = 0
      Width = 195
      Height = 195
      TabIndex = 18
      ToolTipText = "Toggle FullScreen Mode"
      BackColor = &H00808080&
      Caption = "i"
      ForeColor = &H00000000&
      Font = Font("Wingdings", 8.25)
      HighlightColor = &H00404040&
   End
   Begin Vantrel.ButtonEx ButtonEx1
      Left = 5460
      Top = 0
      Width = 195
      Height = 195
      TabIndex = 15
      ToolTipText = "Minimize"
      BackColor = &H00808080&
      Caption = "-"
      ForeColor = &H00000000&
      Font = Font("Arial", 12)
      HighlightColor = &H00404040&
   End
   Begin Vantrel.ButtonEx ButtonEx2
      Left = 5640
      Top = 0
      Width = 195
      Height = 195
      TabIndex = 16
      ToolTipText = "Maximize"
      BackColor = &H00808080&
      Caption = "o"
      ForeColor = &H00000000&
      Font = Font("Wingdings", 8.25)
      HighlightColor = &H00404040&
   End
   Begin Vantrel.ButtonEx ButtonEx3
      Left = 5820
      Top = 0
      Width = 195
      Height = 195
      TabIndex = 17
      ToolTipText = "Exit Program"
      BackColor = &H00808080&
      Caption = "X"
      ForeColor = &H00000000&
      Font = Font("Small Fonts", 6.75)
      HighlightColor = &H00404040&
   End
   ' The main window's scroll bars: volume, position and balance.
   Begin Vantrel.dtVisualScrollBar V1
      Height = 105
      Left = 4920
      TabIndex = 6
      ToolTipText = "Volume"
      Top = 240
      Width = 1035
      _ExtentX = 54187
      _ExtentY = 185
      ButtonsVisible = False
      Orientation = 0
      ThumbAlignment = 3
      PictureBackground = Picture("../glyphs/scrollbar/track.png")
      PictureUp = Picture("../glyphs/scrollbar/up.png")
      PictureDown = Picture("../glyphs/scrollbar/down.png")
      PictureRight = Picture("../glyphs/scrollbar/right.png")
      PictureLeft = Picture("../glyphs/scrollbar/left.png")
      PictureThumb = Picture("../glyphs/scrollbar/thumb.png")
      Min = -5000
      Max = 0
      LargeChange = 100
      SmallChange = 10
   End
   Begin Vantrel.dtVisualScrollBar H1
      Height = 105
      Left = 2700
      TabIndex = 5
      ToolTipText = "Seek"
      Top = 420
      Width = 3240
      _ExtentX = 54187
      _ExtentY = 185
      ButtonsVisible = False
      Orientation = 0
      ThumbAlignment = 3
      PictureBackground = Picture("../glyphs/scrollbar/track.png")
      PictureUp = Picture("../glyphs/scrollbar/up.png")
      PictureDown = Picture("../glyphs/scrollbar/down.png")
      PictureRight = Picture("../glyphs/scrollbar/right.png")
      PictureLeft = Picture("../glyphs/scrollbar/left.png")
      PictureThumb = Picture("../glyphs/scrollbar/thumb.png")
      Max = 1000
      LargeChange = 100
   End
   Begin Vantrel.dtVisualScrollBar H2
      Height = 135
      Left = 6120
      TabIndex = 10
      Top = 660
      Width = 975
      _ExtentX = 1720
      _ExtentY = 238
      PictureBackground = Picture()
      PictureUp = Picture("../glyphs/scrollbar/balance-up.png")
      PictureDown = Picture("../glyphs/scrollbar/balance-down.png")
      PictureRight = Picture("../glyphs/scrollbar/balance-right.png")
      PictureLeft = Picture("../glyphs/scrollbar/balance-left.png")
      PictureThumb = Picture("../glyphs/scrollbar/balance-thumb.png")
   End
   Begin Timer Timer1
      Interval = 10
      Enabled = True
   End
   Begin Vantrel.ShellIcon ShellIcon1
      ToolTipText = "KAVEL Player"
      Icon = Picture("../icons/kavel-player.png")
      Visible = True
   End
   ' The notification-area icon's popup menu; never shown as a menu bar.
   Begin Menu mnuPopup
      Caption = "Popup"
      Visible = False
      Begin Menu mnuShow
         Caption = "Show KAVEL Player"
      End
      Begin Menu mnuspace2
         Caption = "-"
      End
      Begin Menu mnuOpen
         Caption = "Open File"
      End
      Begin Menu mnuspace6
         Caption = "-"
      End
      Begin Menu mnuPlay
         Caption = "Play"
      End
      Begin Menu mnuPause
         Caption = "Pause"
      End
      Begin Menu mnuStop
         Caption = "Stop"
      End
      Begin Menu mnuspace4
         Caption = "-"
      End
      Begin Menu mnuNext
         Caption = "Next"
      End
      Begin Menu mnuPrev
         Caption = "Previous"
      End
      Begin Menu mnuspace3
         Caption = "-"
      End
      Begin Menu mnuspace
         Caption = "-"
         Visible = False
      End
      Begin Menu mnuHelp
         Caption = "Help"
      End
      Begin Menu mnuExit
         Caption = "Exit"
      End
   End
End
