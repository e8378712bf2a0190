' The About box. Positions and sizes in twips. The caption and the two upper
' labels are filled in from the application's title and version when the box
' is loaded. The two Line1 blocks make the etched separator; a later line is
' drawn over an earlier one.
Begin Form frmAbout
   Caption = "About KAVEL Player"
   ClientWidth = 4095
   ClientHeight = 3555
   Font = Font("MS Sans Serif", 8.25)
   Begin Label lblTitle
      Caption = "Application Title"
      Left = 120
      Top = 60
      Width = 3885
      Height = 480
   End
   Begin Label lblVersion
      Caption = "Version"
      Left = 120
      Top = 600
      Width = 3885
      Height = 225
   End
   Begin TextBox Text1
      Text = "ALT+Enter   (Toggle FullScreen"
      Locked = True
      Left = 60
      Top = 900
      Width = 3975
      Height = 975
   End
   Begin Line Line1
      BorderColor = &H00808080&
      X1 = 120
      Y1 = 1920
      X2 = 4020
      Y2 = 1920
   End
   Begin Line Line1
      BorderColor = &H00FFFFFF&
      X1 = 105
      Y1 = 1920
      X2 = 4020
      Y2 = 1920
   End
   Begin Label lblDisclaimer
      Caption = "Warning: ...None..."
      Left = 60
      Top = 1980
      Width = 3990
      Height = 705
   End
   Begin CommandButton cmdOK
      Caption = "OK"
      Left = 1440
      Top = 2685
      Width = 1260
      Height = 345
   End
   Begin CommandButton cmdSysInfo
      Caption = "&System Info..."
      Left = 1440
      Top = 3135
      Width = 1245
      Height = 345
   End
End
