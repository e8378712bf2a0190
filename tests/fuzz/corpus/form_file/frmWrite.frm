' The playlist window: the write target along the top, the browser in the
' upper part, the list below. Positions and sizes in twips.
Begin Form frmWrite
   Caption = "  KAVEL Playlist"
   ClientWidth = 6000
   ClientHeight = 3525
   Font = Font("MS Sans Serif", 8.25)
   Begin TextBox Text1
      Left = 60
      Top = 60
      Width = 5895
      Height = 285
      Text = ""
   End
   Begin CommandButton Command1
      Caption = "Write list"
      Left = 60
      Top = 420
      Width = 915
      Height = 255
   End
   Begin CommandButton Command2
      Caption = "Add All"
      Left = 1020
      Top = 420
      Width = 915
      Height = 255
   End
   Begin Label Label2
      Caption = "Double click to add a file or playlist to the current list"
      Left = 2100
      Top = 420
      Width = 3735
      Height = 255
   End
   Begin DirListBox Dir1
      Font = Font("Small Fonts", 6.75)
      Left = 60
      Top = 720
      Width = 2415
      Height = 1065
   End
   Begin FileListBox File1
      Font = Font("Small Fonts", 6.75)
      Pattern = "*.pls;*.avi;*.asf;*.mpg;*.mpeg;*.wmv;*.divx;*.dat"
      Left = 2520
      Top = 720
      Width = 3435
      Height = 1080
   End
   Begin DriveListBox Drive1
      Font = Font("Small Fonts", 6.75)
      Left = 60
      Top = 1800
      Width = 2415
      Height = 285
   End
   Begin TextBox Text3
      Left = 2520
      Top = 1800
      Width = 3435
      Height = 285
      Text = ""
   End
   Begin ListBox List1
      Font = Font("Small Fonts", 6.75)
      Left = 60
      Top = 2100
      Width = 5895
      Height = 1380
   End
   Begin Timer Timer1
      Interval = 500
      Enabled = True
   End
   Begin Timer Timer2
      Interval = 500
      Enabled = True
   End
   Begin Menu mnuFile
      Caption = "File"
      Visible = False
      Begin Menu mnuRem
         Caption = "Remove"
      End
      Begin Menu mnuClear
         Caption = "Clear"
      End
   End
   Begin Menu mnuClr
      Caption = "Clr"
      Visible = False
      Begin Menu mnuClear2
         Caption = "Clear"
      End
   End
End
